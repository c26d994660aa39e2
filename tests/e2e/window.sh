#!/usr/bin/env bash
# The window through a session: F11 fills the screen and F11 again brings
# back the 640 x 480 window; a resize across the resolution threshold keeps
# the menu on screen, never the loading screen. A resize back during a level
# keeps the ball where it waits. Another window takes the focus: the records are saved, and
# with the focus back the level waits paused. From the pause menu the
# options box switches the sound mode to effects only, which closing it
# saves, and iCade decoding: then J, a left fling key without it, flings
# right while Z, another, is held. Backspace pauses the flight and the quit
# button ends the level; the title menu is silent then (all is captured).
# With FLINGAROO_SCREENSHOT_DIR set, the options box picture of the
# documentation is kept.
source "$(dirname "$0")/lib.sh"

# The window at the new size, with the loading screen never seen on the way.
resized_to() {
  xdotool windowsize "$WINDOW" "$1" "$2"
  loading_shown && fail "the loading screen showed after a resize"
  geometry_is 192,144 "$1x$2"
}
other_shown() { OTHER=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -1) && [ -n "$OTHER" ]; }
# The options box's brown panel covers the screen but for a margin.
options_shown() { shot options && [ "$(count options 40x40+60+420 100 200 40 110 0 50)" = 1600 ]; }
# option_lit ROW: the options box's cursor bar on that row (1 sound, 2 iCade).
option_lit() { shot options && [ "$(count options 8x8+88+$((96 + 40 * $1)) 0 120 100 255 100 255)" = 64 ]; }
# switch ROW: Space on that row of the options box until its white text
# reads differently.
row_text() { pixels options 300x24+84+$((88 + 40 * $1)) | awk '$3 > 200 && $4 > 200 && $5 > 200 { print $1, $2 }'; }
row_changed() { shot options && [ "$(row_text "$1")" != "$2" ]; }
switch() { press space 10 "row $1 switched" row_changed "$1" "$(row_text "$1")"; }

start_display 1024x768
install_game
launch_capturing window
menu_up
xdotool key F11
wait_for 20 "window filling the screen after F11" geometry_is 0,0 1024x768
menu_up
xdotool key F11
wait_for 20 "centred 640 x 480 window after the second F11" geometry_is 192,144 640x480
wait_for 30 "window at 800 x 600" resized_to 800 600
menu_up
start_level
waiting=$BALL
wait_for 30 "window back at 640 x 480" resized_to 640 480
wait_for 20 "ball at rest after the resize" ball_at_rest
awk -v a="$waiting" -v b="$BALL" 'BEGIN { split(a, p); split(b, q); exit (p[1] - q[1]) ^ 2 > 9 || (p[2] - q[2]) ^ 2 > 9 }' ||
  fail "the ball moved from $waiting to $BALL of the picture with the window's size"
waiting=$BALL
[ -e "$STATE" ] && fail "a state was saved before the focus went"

xmessage -geometry +0+0 "another window" >/dev/null 2>&1 & OTHER_PID=$!
wait_for 10 "other window" other_shown
xdotool windowfocus --sync "$OTHER"
wait_for 10 "save when the focus went" test -s "$STATE"
record >/dev/null || fail "the save on losing the focus is not valid"
xdotool windowfocus --sync "$WINDOW"
wait_for 10 "pause panel with the focus back" pause_lit 320 248

press Right 10 "options button" pause_lit 460 184
press space 10 "options box" options_shown
press Down 10 "sound row" option_lit 1
switch 1
press Down 10 "iCade row" option_lit 2
switch 2
keep options options
press Escape 10 "pause menu after the options box" pause_lit 460 184
read -r _ _ _ _ _ _ mode < <(record) || fail "no valid state after the options box"
[ "$mode" = 2 ] || fail "closing the options box saved sound mode $mode, not 2"
press Left 10 "resume button" pause_lit 320 248
resume space
[ "$BALL" = "$waiting" ] || fail "the ball left its start ($waiting) for $BALL on resuming"
xdotool keydown z
fling j
xdotool keyup z
[ "$FLUNG" = right ] || fail "with iCade on, J flung the ball $FLUNG, not right"
xdotool key n  # the iCade's release of the button J pressed
press BackSpace 10 "pause panel during the flight" pause_lit 320 248
press Left 10 "quit button" pause_lit 180 184
press space 10 "results panel after quitting" results_shown quit
menu_up
idle_from=$(captured window)
listen window 3
end_with xdotool key F4
read -r _ idle < <(heard window "$idle_from")
awk -v i="$idle" 'BEGIN { exit !(i < 0.001) }' || fail "with effects only, the title menu was not silent: it peaks at $idle"
echo "PASS"
