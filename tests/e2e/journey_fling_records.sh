#!/usr/bin/env bash
# Level 1 played twice: flung left with J, then right with X. Each time the
# ball sets off the way it was flung, the level ends in its results panel
# and the state file holds the level's records with every checksum valid,
# the better score first. After F4 and a restart every block reports loaded
# and the menu's score panel shows the same records as before the restart.
# With FLINGAROO_SCREENSHOT_DIR set, the menu, play and results pictures of
# the documentation are kept.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/journey_lib.sh"

# play_level KEY DIRECTION: starts the selected level from the menu, flings
# the ball with KEY, expecting DIRECTION, and waits for the results panel and
# the menu after it.
play_level() {
  journey_hold space
  local direction
  direction=$(journey_fling "$1")
  [ "$direction" = "$2" ] || e2e_fail "$1 flung the ball ${direction:-nowhere}, not $2"
  sleep 0.5
  journey_shot "play_$2"
  journey_wait 40 "results panel after the $2 fling" journey_results_shown "results_$2"
  sleep 0.4  # the panel's bands have grown to full length
  journey_shot "results_$2"
  journey_wait 10 "menu after the level" journey_menu_shown "menu_$2"
}

# The score panel's digits as the list of pixels they cover. They are drawn
# see-through over the panel, whose colour follows the last level's, so a
# pixel belongs to a digit when at least half of the digit's red shows over
# the panel's most common red.
score_digits() {
  journey_pixels "$1" 50x60+590+76 | awk '
    { r[$1 " " $2] = $3; count[$3]++ }
    END { for (v in count) if (count[v] > count[panel]) panel = v
          for (p in r) if (r[p] >= panel + 0.2 * (255 - panel)) print p }' | sort >"$E2E_WORK/$1.digits"
  [ -s "$E2E_WORK/$1.digits" ] || e2e_fail "no score digits in $1"
}

# Prints how many of the pixels covered by either of two digit lists both
# cover, in per cent.
digits_overlap() {
  local both either
  both=$(comm -12 "$E2E_WORK/$1.digits" "$E2E_WORK/$2.digits" | wc -l)
  either=$(sort -u "$E2E_WORK/$1.digits" "$E2E_WORK/$2.digits" | wc -l)
  echo $((100 * both / either))
}

# Selects level 1 in the menu: the list moves on after a completed level.
select_level1() {
  journey_hold Left
  journey_hold Left
  sleep 0.5
}

e2e_start_display 640x480
journey_launch
journey_wait 15 "title menu" journey_menu_shown menu_fresh
score_digits menu_fresh

play_level j left
read -r best best_rings second _ third _ < <(journey_level1_record "$JOURNEY_STATE") ||
  e2e_fail "no valid state after the first level"
echo "after the left fling: best $best ($best_rings rings), then $second, $third"
((best > 0 && best_rings >= 0 && best_rings <= 10 && second == 0 && third == 0)) ||
  e2e_fail "the first game's record is implausible"
first_score=$best

select_level1
play_level x right
read -r best best_rings second _ third _ < <(journey_level1_record "$JOURNEY_STATE") ||
  e2e_fail "no valid state after the second level"
echo "after the right fling: best $best ($best_rings rings), then $second, $third"
((best >= second && second > 0 && third == 0)) || e2e_fail "the two games are not both recorded, best first"
((best == first_score || second == first_score)) || e2e_fail "the first game's score $first_score was lost"

select_level1
journey_shot menu_before_exit
score_digits menu_before_exit
e2e_key "$JOURNEY_WINDOW" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"

journey_run
journey_wait 15 "title menu after the restart" journey_menu_shown menu_restarted
select_level1
journey_shot menu_restarted
score_digits menu_restarted
for line in "Settings Loaded" "Badges Loaded" "Highscore 0 Loaded" "Highscore 101 Loaded"; do
  grep -qx "$line" "$E2E_WORK/stdout" || e2e_fail "no line '$line' after the restart"
done
grep -q "Invalid" "$E2E_WORK/stdout" && e2e_fail "a block of the game's own save was invalid"
kept=$(digits_overlap menu_before_exit menu_restarted)
fresh=$(digits_overlap menu_fresh menu_restarted)
echo "score panel after the restart: $kept % as before it, $fresh % as on the first run"
((kept >= 90)) || e2e_fail "the score panel after the restart differs from the one before it"
((fresh < 60)) || e2e_fail "the score panel shows no records"

journey_keep menu_restarted menu
journey_keep play_left play
journey_keep results_left results
e2e_key "$JOURNEY_WINDOW" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after the second F4"
echo "PASS"
