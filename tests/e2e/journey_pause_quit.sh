#!/usr/bin/env bash
# A level paused with Escape shows the pause panel; Enter resumes it, the
# panel slides away and the ball still waits (the key that resumed does not
# fling it), and play goes on: K flings the ball to the right. Backspace
# pauses the flight; moving to the quit button and pressing Space ends the
# level at once with its results panel, then the title menu comes back and
# the game is recorded in the state file.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/journey_lib.sh"

journey_pause_gone() {
  ! journey_pause_shown "$1" && journey_level_shown "$1"
}

e2e_start_display 640x480
journey_launch
journey_start_level
waiting=$JOURNEY_BALL

journey_hold Escape
journey_wait 5 "pause panel after Escape" journey_pause_shown paused
sleep 0.5
journey_pause_shown still_paused || e2e_fail "the pause panel went away by itself"

journey_hold Return
journey_wait 5 "level back after Enter" journey_pause_gone resumed
sleep 0.5
journey_level_shown after_resume || e2e_fail "no ball after resuming"
[ "$JOURNEY_BALL" = "$waiting" ] || e2e_fail "the ball left its start ($waiting) for $JOURNEY_BALL on resuming"

direction=$(journey_fling k)
[ "$direction" = right ] || e2e_fail "after resuming, K flung the ball ${direction:-nowhere}"

journey_hold BackSpace
journey_wait 5 "pause panel during the flight" journey_pause_shown paused_in_flight
journey_hold Left  # from resume to the quit button
journey_hold space
journey_wait 5 "results panel after quitting" journey_results_shown results
journey_wait 10 "title menu after quitting" journey_menu_shown menu_after
read -r score rings _ < <(journey_level1_record "$JOURNEY_STATE") || e2e_fail "no valid state after quitting"
echo "quit level 1 with $score points and $rings rings"
((rings >= 0 && rings <= 10 && score >= 0)) || e2e_fail "implausible record $score, $rings"

e2e_key "$JOURNEY_WINDOW" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
echo "PASS"
