#!/usr/bin/env bash
# Screenshots of the credits box, the pause menu and the options box in the
# 640 x 480 window, each checked at a point that only that overlay colours:
# the yellow of the test card's top ring, the orange of the pause panel and
# the brown of the options panel. With E2E_SHOTS set, the pictures are kept.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/overlay_lib.sh"

e2e_start_display 1920x1080
e2e_start_game
window=$(e2e_window)
overlay_wait_menu
# The window sits centred: screen point of window point (0, 0).
wx=640 wy=300

overlay_press "$window" n
sleep 1
overlay_shot credits
overlay_expect_pixel credits $((wx + 325)) $((wy + 10)) "test card's top ring" 200 255 200 255 0 80
overlay_press "$window" Return
sleep 1

overlay_press "$window" Return
sleep 1
overlay_press "$window" Escape
sleep 1
overlay_shot pause
overlay_expect_pixel pause $((wx + 420)) $((wy + 278)) "pause panel" 150 255 80 200 0 90
overlay_press "$window" Left
overlay_press "$window" Return
sleep 3
e2e_still_running || e2e_fail "the program ended after quitting the level"

overlay_open_options "$window"
overlay_shot options
overlay_expect_pixel options $((wx + 70)) $((wy + 450)) "options panel" 100 200 40 110 0 50

e2e_key "$window" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS"
echo "PASS"
