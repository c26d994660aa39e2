#!/usr/bin/env bash
# The window's close button, pressed in the middle of a level: the window
# offers the close request a window manager sends for that button, and on the
# request the program ends at once, without a question, with status 0.
# FLINGAROO_CLOSE_WINDOW names the helper that sends the request.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/journey_lib.sh"

close_window=${FLINGAROO_CLOSE_WINDOW:-}
[ -x "$close_window" ] || e2e_fail "FLINGAROO_CLOSE_WINDOW does not name the built flingaroo_close_window"

e2e_start_display 640x480
journey_launch
xprop -id "$JOURNEY_WINDOW" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW ||
  e2e_fail "the window does not take the close request"
journey_start_level
"$close_window" "$JOURNEY_WINDOW" || e2e_fail "the close request could not be sent"
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after the close button"
echo "PASS"
