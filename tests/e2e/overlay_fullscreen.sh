#!/usr/bin/env bash
# F11 makes the window fullscreen at the size of the screen, and F11 again
# brings back the 640 x 480 window.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/overlay_lib.sh"

e2e_start_display 1600x900
e2e_start_game
window=$(e2e_window)
overlay_wait_menu

geometry_is() {
  local geometry
  geometry=$(xdotool getwindowgeometry "$window")
  echo "$geometry"
  grep -q "Geometry: $1" <<<"$geometry"
}

e2e_key "$window" F11
sleep 1
geometry_is 1600x900 || e2e_fail "F11 did not fill the 1600 x 900 screen"
e2e_still_running || e2e_fail "the program ended on F11"

e2e_key "$window" F11
sleep 1
geometry_is 640x480 || e2e_fail "the second F11 did not bring back the 640 x 480 window"

e2e_key "$window" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS"
echo "PASS"
