#!/usr/bin/env bash
# A player's first run: the 640 x 480 window titled Flingaroo opens centred,
# the title menu comes up with the logo jingle and then the title tune (ten
# seconds of it captured and found to be music), level 1 is flung left with
# J and ends in its results panel. Level 1 again: X flings it right,
# Backspace pauses the flight and the quit button ends it. The state file
# holds the records with every checksum valid; F4 ends the program with 0,
# and after a restart every block
# reports loaded and the menu's score panel shows the same records as
# before. With FLINGAROO_SCREENSHOT_DIR set, the menu, play and results
# pictures of the documentation are kept.
source "$(dirname "$0")/lib.sh"

start_display 1024x768
install_game
launch_capturing first
geometry_is 192,144 640x480 || fail "the window is not 640 x 480 centred on the 1024 x 768 screen"
menu_up
title_tune_heard first
fresh=$DIGITS
grep -q "Loaded\|Invalid" "$WORK/stdout" && fail "a fresh state reported loaded blocks"

play_level_1
read -r best rings second _ third _ <<<"$RECORD"
# The windows tier holds the Windows program to this record of the same throw.
[ -z "${FLINGAROO_LEVEL1_RECORD:-}" ] || echo "$RECORD" >"$FLINGAROO_LEVEL1_RECORD"
echo "after the first game: best $best ($rings rings), then $second, $third"
((best > 0 && rings >= 0 && rings <= 10 && second == 0 && third == 0)) || fail "the first game's record is implausible"
first=$best

press Left 20 "level 1 selected" level1_selected
start_level
fling x
[ "$FLUNG" = right ] || fail "X flung the ball $FLUNG, not right"
press BackSpace 10 "pause panel during the flight" pause_lit 320 248
press Left 10 "quit button" pause_lit 180 184
press space 10 "results panel after quitting" results_shown quit
menu_up
read -r best _ second _ third _ < <(record) || fail "no valid state after quitting"
echo "after quitting the second game: best $best, then $second, $third"
((best >= second && third == 0 && (best == first || second == first))) || fail "the first game's score $first was lost"
press Left 20 "level 1 selected" level1_selected
before=$DIGITS
end_with xdotool key F4
# The jingle starts while the game loads, before the title tune: the first
# sound's first 0.2 s.
read -r _ jingle < <(sox "$WORK/first.wav" -n silence 1 0.001 0.5% trim 0 0.2 stat 2>&1 | awk '/^Maximum amp/ { print 0, $3 }')
awk -v j="$jingle" 'BEGIN { exit !(j > 0.05) }' || fail "the jingle was not heard: it peaks at $jingle"

launch
DIGITS=""
press Left 30 "level 1 selected after the restart" level1_selected
keep menu menu
for line in "Settings Loaded" "Badges Loaded" "Highscore 0 Loaded" "Highscore 102 Loaded"; do
  grep -qx "$line" "$WORK/stdout" || fail "no line '$line' after the restart"
done
grep -q "Invalid" "$WORK/stdout" && fail "a block of the game's own save was invalid"
# The same panel shows when nine in ten of the digits' pixels are shared.
same() { (($(comm -12 <(echo "$1") <(echo "$2") | wc -l) * 10 >= 9 * $(sort -u <(echo "$1") <(echo "$2") | wc -l))); }
same "$before" "$DIGITS" || fail "the score panel after the restart differs from the one before it"
same "$fresh" "$DIGITS" && fail "the score panel shows no records"
end_with xdotool key F4
echo "PASS"
