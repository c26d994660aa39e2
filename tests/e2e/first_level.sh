#!/usr/bin/env bash
# A first game from a fresh state: the menu appears, Space starts level 1,
# Space flings the ball, the results panel shows and the game returns to
# the menu. The state file beside the program then holds level 1's score and
# ring count with valid checksums, and a restart reports every block loaded
# and shows the record in the score panel.
source "$(dirname "$0")/lib.sh"

GAME_DIR="$E2E_WORK/game"
STATE="$GAME_DIR/.kestrelstate"

# GLFW sees a key only if it is still down when the next update runs.
hold_key() {
  xdotool keydown "$1"
  sleep "${2:-0.25}"
  xdotool keyup "$1"
}

shot() {
  import -window root "$E2E_WORK/$1.png"
  [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$E2E_WORK/$1.png" "$E2E_KEEP_SHOTS/" || true
}

# The score panel's text of the 640 x 480 window centred on 1920 x 1080.
panel_crop() {
  convert "$E2E_WORK/$1.png" -crop 120x80+1150+340 +repage "$E2E_WORK/$1-panel.png"
}

# Prints "score rings" of level 1 when the state is a whole saved string
# whose every checksum holds; fails otherwise.
check_state() {
  python3 - "$1" <<'EOF'
import sys
wrap = lambda v: (v + 2**31) % 2**32 - 2**31
text = open(sys.argv[1]).read()
n = [int(p) for p in text.split('|')[:-1]]
assert text.endswith('|') and len(n) == 770, 'not 770 numbers'
assert wrap(sum(v * i for i, v in enumerate(n[:25]))) == n[25], 'settings checksum'
assert wrap(sum(n[26:34])) == n[34], 'badge checksum'
for a in range(105):
    s = n[35 + 7 * a: 42 + 7 * a]
    total = sum((k + 4) * s[2 * k] + (a + k + 3) * s[2 * k + 1] for k in range(3))
    assert wrap(total) == s[6], 'level slot %d checksum' % a
print(n[35], n[36])
EOF
}

e2e_start_display 1920x1080
e2e_start_game
window=$(e2e_window)
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 2  # loading and the menu's slide-in
shot menu_fresh
e2e_still_running || e2e_fail "the program ended before the menu"
grep -q "Loaded\|Invalid" "$E2E_WORK/stdout" && e2e_fail "a fresh state reported loaded blocks"

hold_key space  # level 1
sleep 1
hold_key space  # fling
# The results panel shows for 1.5 s before the game returns to the menu
# and saves; the last screenshot before the save catches it.
record=""
for _ in $(seq 300); do
  shot results
  if [ -s "$STATE" ] && record=$(check_state "$STATE" 2>/dev/null) && [ "${record% *}" != 0 ]; then break; fi
  record=""
  sleep 0.1
done
[ -n "$record" ] || e2e_fail "no level 1 record was saved"
read -r score rings <<<"$record"
echo "level 1: score $score, rings $rings"
[ "$score" -gt 0 ] && [ "$rings" -ge 0 ] && [ "$rings" -le 10 ] || e2e_fail "implausible record $record"
sleep 2
shot menu_after
e2e_still_running || e2e_fail "the program ended after the level"

e2e_key "$window" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
check_state "$STATE" >/dev/null || e2e_fail "F4 damaged the state"

e2e_start_game
window=$(e2e_window)
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 2
hold_key Left  # back to level 1, where the list opens after a miss anyway
sleep 1
shot menu_restarted
for line in "Settings Loaded" "Badges Loaded" "Highscore 0 Loaded" "Highscore 102 Loaded"; do
  grep -qx "$line" "$E2E_WORK/stdout" || e2e_fail "no line '$line' after the restart"
done
grep -q "Invalid" "$E2E_WORK/stdout" && e2e_fail "a block of our own save was invalid"
panel_crop menu_fresh
panel_crop menu_restarted
differing=$(compare -metric AE "$E2E_WORK/menu_fresh-panel.png" "$E2E_WORK/menu_restarted-panel.png" null: 2>&1 || true)
[ "${differing%% *}" != 0 ] || e2e_fail "the score panel does not show the record"
e2e_key "$window" F4
e2e_wait_exit
echo "PASS"
