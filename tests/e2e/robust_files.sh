#!/usr/bin/env bash
# The real program facing bad surroundings: no sound device, no data folder,
# and save files that are damaged, binary or huge. Each time it must start,
# show its window, keep every record that is intact, and end with status 0.
source "$(dirname "$0")/lib.sh"

e2e_start_display 1024x768

# Runs the installed game until its window shows, then ends it with F4.
run_and_quit() {
  e2e_run_game
  local window
  window=$(e2e_window)
  sleep 1
  e2e_still_running || e2e_fail "$1: the program ended by itself"
  e2e_key "$window" F4
  e2e_wait_exit
  [ "$E2E_STATUS" = 0 ] || e2e_fail "$1: exit status $E2E_STATUS"
}

# A saved string: settings with slot 5 (sound) 1 and the repaired pad slots,
# no badges, level 1 with a score of 123 and 7 rings, every checksum right
# unless a block is named to be broken.
state_string() {
  local broken=${1:-} settings="" sum=0 i
  for i in $(seq 0 24); do
    local v=0
    case $i in 5) v=1 ;; 10|11) v=64 ;; 12) v=10 ;; 14) v=1 ;; esac
    settings+="$v|"
    sum=$((sum + v * i))
  done
  [ "$broken" = settings ] && sum=$((sum + 1))
  local badges="0|0|0|0|0|0|0|0|0|"
  # Level slot 0: (123, 7) then zeros; checksum 4*123 + 3*7.
  local level0="123|7|0|0|0|0|$((4 * 123 + 3 * 7))|"
  local rest="" a
  for a in $(seq 1 104); do rest+="0|0|0|0|0|0|0|"; done
  printf '%s' "$settings$sum|$badges$level0$rest"
}

echo "== no sound device"
e2e_install_game
ALSOFT_DRIVERS=no-such-driver run_and_quit "no sound device"
grep -q "OpenAl error" "$E2E_WORK/stdout" || e2e_fail "no report of the missing sound device"

echo "== no data folder"
rm -rf "$E2E_GAME_DIR/data"
run_and_quit "no data"

echo "== damaged settings block"
e2e_install_game
state_string settings >"$E2E_GAME_DIR/.kestrelstate"
run_and_quit "damaged settings"
grep -q "Settings Checksum Invalid" "$E2E_WORK/stdout" || e2e_fail "damaged settings not reported"
grep -q "Highscore 0 Loaded" "$E2E_WORK/stdout" || e2e_fail "the intact record of level 1 was not loaded"

echo "== binary save file"
head -c 100000 /dev/urandom >"$E2E_GAME_DIR/.kestrelstate"
run_and_quit "binary save"

echo "== huge save file"
head -c 20000000 < <(yes '99999999|') >"$E2E_GAME_DIR/.kestrelstate"
run_and_quit "huge save"
grep -q "Settings Checksum Invalid" "$E2E_WORK/stdout" || e2e_fail "a huge save of absurd numbers was taken as valid"

echo "PASS"
