#!/usr/bin/env bash
# The saved sound mode decides what a player hears. Everything the game plays
# is captured through OpenAL Soft's wave backend while the logo jingle, a
# level start and a fling with its bounces happen: with the mode saved as
# Off the capture is silence, with it saved as On it is not.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/journey_lib.sh"

# play_with_sound MODE: one run with the sound mode saved as MODE; sets PEAK
# to the capture's peak amplitude (0 to 1).
play_with_sound() {
  local wav="$E2E_WORK/sound$1.wav"
  printf '[general]\ndrivers=wave\nsample-type=int16\nfrequency=44100\n[wave]\nfile=%s\n' "$wav" \
    >"$E2E_WORK/alsoft.conf"
  e2e_install_game
  journey_write_settings "$JOURNEY_STATE" "$1"
  ALSOFT_CONF="$E2E_WORK/alsoft.conf" ALSOFT_DRIVERS=wave journey_run
  journey_wait 15 "title menu" journey_menu_shown menu
  grep -qx "Settings Loaded" "$E2E_WORK/stdout" || e2e_fail "the written settings were not loaded"
  journey_hold space
  [ "$(journey_fling x)" = right ] || e2e_fail "the ball was not flung"
  sleep 1  # bounces and broken blocks
  # The wave file's header is completed when the program closes its device.
  e2e_key "$JOURNEY_WINDOW" F4
  e2e_wait_exit
  [ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
  [ -s "$wav" ] || e2e_fail "nothing was captured"
  sox "$wav" -n stat 2>"$E2E_WORK/stat$1"
  grep -E 'Length|amplitude' "$E2E_WORK/stat$1"
  PEAK=$(awk '/^Maximum amplitude/ { print $3 }' "$E2E_WORK/stat$1")
}

e2e_start_display 640x480
play_with_sound 0
off=$PEAK
play_with_sound 1
on=$PEAK
echo "peak with sound off: $off, with sound on: $on"
# Off leaves at most the output's dither, one step of 16 bits.
awk -v p="$off" 'BEGIN { exit !(p < 0.001) }' || e2e_fail "sound Off is not silent (peak $off)"
awk -v p="$on" 'BEGIN { exit !(p > 0.05) }' || e2e_fail "sound On is silent (peak $on)"
echo "PASS"
