#!/usr/bin/env bash
# With the sound mode saved as Off, nothing of the logo jingle, a level's
# start and a fling is heard (all is captured), and the window's close
# button, pressed during the level, ends the program with 0 at once. With
# music only, the title menu and then a level play their tunes and nothing
# else: lined up with the tune files sample by sample, the capture leaves
# only the output's dither, through a fling and the first seconds of its
# bounces and breaks. Bad
# surroundings still let the game start and end with 0: no sound device
# (OpenAL's reason told on standard error), no data folder and a damaged
# settings block, whose loss spares the intact level record; a save file of
# absurd numbers with random bytes amid 0.9 MB of them (under the size a
# state file may have), beside a damaged
# image and sound. Without a display it ends with -1, telling GLFW's reason.
source "$(dirname "$0")/lib.sh"

[ -x "${FLINGAROO_CLOSE_WINDOW:-}" ] || fail "FLINGAROO_CLOSE_WINDOW does not name the built flingaroo_close_window"
# Without its data the menu is its plain blue backdrop.
bare_menu_shown() { shot bare && [ "$(count bare 8x8+0+0 0 6 34 46 74 86)" = 64 ]; }

start_display 640x480
menu_capturing silent 0
grep -qx "Settings Loaded" "$WORK/stdout" || fail "the written settings were not loaded"
start_level
fling x
xprop -id "$WINDOW" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW || fail "the window does not take the close request"
end_with "$FLINGAROO_CLOSE_WINDOW" "$WINDOW"
read -r seconds peak < <(heard silent 0)
echo "captured with sound Off: $seconds s, peak $peak"
# Off leaves at most the output's dither, one step of 16 bits.
awk -v s="$seconds" -v p="$peak" 'BEGIN { exit !(s > 1 && p < 0.001) }' || fail "sound Off is not silent"

menu_capturing tunes 3
start_level
fling x
listen tunes 3
level_to=$(captured tunes)
end_with xdotool key F4
python3 "$(dirname "$0")/tunes.py" "$WORK/tunes.wav" "$GAME"/data/music/{title,play}.ogg "$level_to" || fail "more than the tunes was heard"

install_game
rm -rf "$GAME/data"
write_state 1 1
ALSOFT_DRIVERS=no-such-driver launch
wait_for 30 "menu without data" bare_menu_shown
for line in "Settings Checksum Invalid" "Highscore 0 Loaded"; do
  grep -qx "$line" "$WORK/stdout" || fail "no line '$line' with damaged settings"
done
grep -q "^OpenAl error: alcOpenDevice failed: [A-Z].* (.*)$" "$WORK/stderr" || fail "no reason on standard error without a sound device"
end_with xdotool key F4

status=0 && env -u DISPLAY -u WAYLAND_DISPLAY "$GAME/flingaroo" >"$WORK/stdout" 2>"$WORK/stderr" </dev/null || status=$?
[ "$status" = 255 ] && grep -q "^glfwInit failed: ." "$WORK/stderr" || fail "without a display: exit $status, no reason on standard error"

install_game
{ printf '99999999|%.0s' $(seq 26) && head -c 100000 /dev/urandom && head -c 900000 < <(yes '99999999|'); } >"$STATE"
truncate -s 100 "$GAME/data/tiles-hd.png" "$GAME/data/sfx/001.wav"
launch
wait_for 30 "title menu" logo_shown  # at level 1: no block of that save passes its checksum
grep -qx "Settings Checksum Invalid" "$WORK/stdout" || fail "a save of random bytes and absurd numbers was taken as valid"
end_with xdotool key F4
echo "PASS"
