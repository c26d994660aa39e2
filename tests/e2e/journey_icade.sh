#!/usr/bin/env bash
# iCade switched on in the options box, opened from the pause menu: the row
# then reads On, and back in the level the letters are an iCade controller's:
# Z, a fling key without iCade, is now a button release and leaves the ball
# waiting, and J, which flings left without iCade, is the press of the right
# fling button and flings the ball to the right. With FLINGAROO_SCREENSHOT_DIR
# set, the options box picture of the documentation is kept.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/journey_lib.sh"

# The options box's brown panel covers the screen but for a margin.
options_shown() {
  journey_shot "$1"
  [ "$(journey_count "$1" 40x40+60+420 100 200 40 110 0 50)" = 1600 ]
}

# The text of the iCade row, the second of the box.
icade_row() {
  journey_shot "$1"
  journey_pixels "$1" 300x24+84+166 >"$E2E_WORK/$1.row"
}

e2e_start_display 640x480
journey_launch
journey_start_level
waiting=$JOURNEY_BALL

journey_hold Escape
journey_wait 5 "pause panel" journey_pause_shown paused
journey_hold Right  # the options button
journey_hold space
journey_wait 5 "options box" options_shown options
sleep 0.5  # it takes keys once it has slid fully in
journey_hold Down
journey_hold Down
icade_row icade_off
journey_hold space
icade_row icade_on
cmp -s "$E2E_WORK/icade_off.row" "$E2E_WORK/icade_on.row" && e2e_fail "the iCade row did not change"
journey_keep icade_on options

journey_hold Up
journey_hold Up
journey_hold space  # the back cog closes the box
journey_wait 5 "pause menu after the options box" journey_pause_shown paused_again
sleep 0.6  # the box takes the keys until it has slid out
journey_hold Left  # from the options button to resume
journey_hold space
journey_wait 5 "ball after resuming" journey_ball_at_rest

journey_hold z
sleep 0.5
journey_level_shown after_z || e2e_fail "no ball after Z"
[ "$JOURNEY_BALL" = "$waiting" ] || e2e_fail "with iCade on, Z moved the ball from $waiting to $JOURNEY_BALL"
direction=$(journey_fling j)
[ "$direction" = right ] || e2e_fail "with iCade on, J flung the ball ${direction:-nowhere}, not right"

e2e_key "$JOURNEY_WINDOW" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
echo "PASS"
