#!/usr/bin/env bash
# The window resized while the game loads and again during a level: each
# time the loading screen shows at the new size, and the game carries on
# where it was. The menu comes up laid out for the 800 x 600 window, the
# level comes back with the ball waiting at the same place of the picture,
# K still flings it to the right, and F4 still ends the program with 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/journey_lib.sh"

# resize_and_see_loading W H: the loading screen lasts about half a second;
# a resize that the screenshots miss it after is repeated.
resize_and_see_loading() {
  local shot geometry
  for _ in 1 2 3; do
    xdotool windowsize "$JOURNEY_WINDOW" "$1" "$2"
    for shot in $(seq 15); do
      if journey_loading_shown "loading_$1"; then
        geometry=$(xdotool getwindowgeometry "$JOURNEY_WINDOW")
        grep -q "Geometry: $1x$2" <<<"$geometry" || e2e_fail "the window is not $1 x $2: $geometry"
        return 0
      fi
    done
    xdotool windowsize "$JOURNEY_WINDOW" $(($1 - 2)) "$2"
    sleep 0.5
  done
  e2e_fail "no loading screen after resizing to $1 x $2"
}

e2e_start_display 1024x768
journey_launch
resize_and_see_loading 800 600
journey_wait 15 "title menu at 800 x 600" journey_menu_shown menu_800
journey_hold space
journey_wait 10 "ball waiting at the top" journey_ball_at_rest
waiting=$JOURNEY_BALL
echo "ball waits at $waiting of the 800 x 600 picture, seen as 640 x 480"

resize_and_see_loading 640 480
journey_wait 10 "ball back after loading" journey_ball_at_rest
echo "ball waits at $JOURNEY_BALL of the 640 x 480 picture"
read -r x0 y0 <<<"$waiting"
read -r x1 y1 <<<"$JOURNEY_BALL"
((x1 - x0 <= 3 && x0 - x1 <= 3 && y1 - y0 <= 3 && y0 - y1 <= 3)) ||
  e2e_fail "the ball moved from $waiting to $JOURNEY_BALL when the window changed size"
direction=$(journey_fling k)
[ "$direction" = right ] || e2e_fail "after the resize, K flung the ball ${direction:-nowhere}"

e2e_key "$JOURNEY_WINDOW" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
echo "PASS"
