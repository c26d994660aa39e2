#!/usr/bin/env bash
# The program opens its 640 x 480 window centred on the desktop, titled
# Flingaroo, keeps running through keys that mean nothing to it, and ends
# with status 0 when F4 is pressed.
source "$(dirname "$0")/lib.sh"

e2e_start_display 1920x1080
e2e_start_game
window=$(e2e_window)

geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
grep -q 'Geometry: 640x480' <<<"$geometry" || e2e_fail "window is not 640 x 480"
grep -q 'Position: 640,300' <<<"$geometry" || e2e_fail "window is not centred"

xdotool windowfocus --sync "$window" 2>/dev/null || true
e2e_key "$window" a
e2e_key "$window" space
e2e_key "$window" KP_Enter
sleep 0.5
e2e_still_running || e2e_fail "the program ended on an ordinary key"

e2e_key "$window" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
echo "PASS"
