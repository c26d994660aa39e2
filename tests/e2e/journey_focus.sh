#!/usr/bin/env bash
# Another window takes the keyboard focus during a level, then the game gets
# it back: the level comes back paused, with the pause panel up and the ball
# still waiting, and the records were saved when the focus went. Enter
# resumes the level.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/journey_lib.sh"

other_pid=""
trap '[ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null; e2e_cleanup' EXIT

e2e_start_display 640x480
journey_launch
journey_start_level
waiting=$JOURNEY_BALL
journey_pause_shown before && e2e_fail "the level is paused before the focus went"
[ -e "$JOURNEY_STATE" ] && e2e_fail "a state was saved before the focus went"

xmessage -geometry +0+0 "another window" >/dev/null 2>&1 &
other_pid=$!
other=""
for _ in $(seq 100); do
  other=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -1 || true)
  [ -n "$other" ] && break
  sleep 0.1
done
[ -n "$other" ] || e2e_fail "the other window did not appear"
xdotool windowfocus --sync "$other"
journey_wait 5 "save when the focus went" test -s "$JOURNEY_STATE"
journey_level1_record "$JOURNEY_STATE" >/dev/null || e2e_fail "the save on losing the focus is not valid"

xdotool windowfocus --sync "$JOURNEY_WINDOW"
journey_wait 5 "pause panel on getting the focus back" journey_pause_shown back
journey_hold Return
journey_wait 5 "ball after resuming" journey_ball_at_rest
[ "$JOURNEY_BALL" = "$waiting" ] || e2e_fail "the ball moved from $waiting to $JOURNEY_BALL"

kill "$other_pid"
other_pid=""
e2e_key "$JOURNEY_WINDOW" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
echo "PASS"
