#!/usr/bin/env bash
# The options box switches the sound mode with keys, closing it saves the
# mode, and after a restart the box shows the saved mode: the sound row
# looks as it did right after the switch, and not as it did before.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/overlay_lib.sh"

e2e_start_display 1920x1080
e2e_start_game
window=$(e2e_window)
overlay_wait_menu

# The text of the sound row (at 640 x 480, the window centred on the screen).
sound_row() {
  overlay_shot "$1"
  convert "$E2E_WORK/$1.png" -crop 300x24+736+428 +repage "$E2E_WORK/$1-row.png"
}
rows_differ() {
  local pixels
  pixels=$(compare -metric AE "$E2E_WORK/$1-row.png" "$E2E_WORK/$2-row.png" null: 2>&1 || true)
  echo "$1 / $2: $pixels pixels differ"
  [ "$pixels" != 0 ]
}

overlay_open_options "$window"
overlay_press "$window" Down
sleep 0.5
sound_row before
overlay_press "$window" Return
sleep 0.5
sound_row switched
rows_differ before switched || e2e_fail "the sound row did not change"

overlay_press "$window" Up
overlay_press "$window" Return
sleep 1
[ -s "$E2E_WORK/game/.kestrelstate" ] || e2e_fail "closing the box saved nothing"
e2e_key "$window" F4
e2e_wait_exit

e2e_start_game
window=$(e2e_window)
overlay_wait_menu
overlay_open_options "$window"
overlay_press "$window" Down
sleep 0.5
sound_row restarted
rows_differ switched restarted && e2e_fail "after a restart the box does not show the saved mode"
rows_differ before restarted || e2e_fail "after a restart the box shows the old mode"

e2e_key "$window" F4
e2e_wait_exit
echo "PASS"
