# Shared steps of the end-to-end journeys: a virtual display, the real
# program installed in a folder of its own, keys held until the game shows
# their effect, screenshots read for what a player looks at, captured sound
# and the state file. Sourced by each journey; its $1 is the built program.
set -euo pipefail

PROGRAM=$(readlink -f "$1")
WORK=$(mktemp -d /tmp/flingaroo-e2e-XXXXXX)
GAME="$WORK/game"            # the installed program with its data
STATE="$GAME/.kestrelstate"  # the state file beside it
GAME_PID="" XVFB_PID="" OTHER_PID="" WINDOW="" BALL="" DIGITS=""

# Fails the journey, showing the end of what the program printed.
fail() { echo "FAIL: $*" >&2; tail -n 5 "$WORK/stdout" "$WORK/stderr" >&2 2>/dev/null; exit 1; }
trap 'kill $GAME_PID $OTHER_PID $XVFB_PID 2>/dev/null; rm -rf "$WORK"' EXIT

# An Xvfb screen of the given size on a free display number. It must not
# reset when its last client leaves, or an xdotool call ending just as the
# program connects would make the program's glfwInit fail.
start_display() {
  exec 3< <(Xvfb -displayfd 1 -screen 0 "$1x24" -nolisten tcp -noreset 2>"$WORK/xvfb.log")
  XVFB_PID=$!
  read -r -t 20 number <&3 && export DISPLAY=":$number" || fail "Xvfb did not start"
}

install_game() { rm -rf "$GAME" && mkdir -p "$GAME" && cp "$PROGRAM" "$GAME/flingaroo" && cp -r "$(dirname "$PROGRAM")/data" "$GAME"; }

# launch [COMMAND...]: starts the installed game (or runs COMMAND), waits
# for its window and focuses it, so that XTEST keys reach it.
launch() {
  ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} "${@:-$GAME/flingaroo}" >"$WORK/stdout" 2>"$WORK/stderr" </dev/null &
  GAME_PID=$!
  wait_for 60 "window titled Flingaroo" window_shown
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
}
# geometry_is X,Y WxH: where the window stands and its size.
geometry_is() { [[ "$(xdotool getwindowgeometry "$WINDOW" | tr -s '\n ' ' ')" == *"Position: $1 "*"Geometry: $2 "* ]]; }
window_shown() { WINDOW=$(xdotool search --onlyvisible --name '^Flingaroo$' 2>/dev/null | head -1) && [ -n "$WINDOW" ]; }

# Everything the game plays goes to $WORK/NAME.wav; the file is complete once
# the program has closed its sound device, as it does when it ends.
launch_capturing() {
  printf '[general]\ndrivers=wave\nsample-type=int16\nfrequency=44100\n[wave]\nfile=%s\n' "$WORK/$1.wav" >"$WORK/alsoft.conf"
  ALSOFT_CONF="$WORK/alsoft.conf" ALSOFT_DRIVERS=wave launch
}
# menu_capturing NAME MODE: a fresh install with sound mode MODE saved,
# captured into NAME from its start, at the title menu.
menu_capturing() { install_game && write_state "$2" && launch_capturing "$1" && menu_up; }
# heard NAME FROM [SECONDS]: the length in seconds and the peak amplitude (0
# to 1) of the capture from FROM on, for SECONDS or to its end.
heard() { sox "$WORK/$1.wav" -n trim "$2" ${3:+"$3"} stat 2>&1 | awk '/^Length/ { s = $3 } /^Maximum amp/ { p = $3 } END { print s + 0, p + 0 }'; }
# captured NAME: the seconds of sound in the capture so far, which OpenAL
# writes as it plays (44.1 kHz, two 16-bit channels); captured NAME SECONDS
# prints nothing and holds once there are that many.
captured() { awk -v bytes="$(stat -c %s "$WORK/$1.wav")" -v s="${2:-}" \
  'BEGIN { if (s == "") printf "%.2f\n", bytes / 176400; exit s != "" && bytes / 176400 < s }'; }
# listen NAME SECONDS: waits until the capture holds SECONDS more than now.
listen() { wait_for 60 "$2 s more of $1 captured" captured "$1" "$(awk -v s="$(captured "$1")" -v d="$2" 'BEGIN { print s + d }')"; }
# tonal NAME FROM: "RMS flatness strongest" for the second of the capture
# from FROM: its RMS (0 to 1), then of its power by frequency from 50 Hz to
# 3.5 kHz (sox's DFT of 4096 points at 8 kHz) how flat it is, near 1 for
# noise and near 0 where tones stand out, and the strongest frequency.
tonal() { sox "$WORK/$1.wav" -n trim "$2" 1 remix - rate 8k stat -freq 2>&1 | awk '/^RMS +amplitude/ { rms = $3 }
    NF == 2 && $1 ~ /^[0-9.]+$/ && $1 > 50 && $1 < 3500 { power[$1] += $2 + 1e-9 }
    END { for (f in power) { n++; logs += log(power[f]); sum += power[f]; if (power[f] > top) { top = power[f]; at = f } }
          print rms, exp(logs / n) / (sum / n), at }'; }

# title_tune_heard NAME: with the title menu standing, the capture NAME
# holds music for ten seconds from the first whole second on (the title tune
# starts once loading is done): every second audible, its power in peaks,
# not flat like noise, and at least three strongest pitches (to the nearest
# semitone) over them.
title_tune_heard() {
  local from=$(($(captured "$1" | cut -d. -f1) + 1))
  listen "$1" 11
  for ((second = from; second < from + 10; ++second)); do tonal "$1" "$second"; done | tee "$WORK/$1-music.txt"
  awk '$1 < 0.003 || $2 > 0.2 { bad++ } { pitch[int(12 * log($3 / 440) / log(2) + 100.5)] }
       END { for (p in pitch) pitches++; exit bad || pitches < 3 }' "$WORK/$1-music.txt" ||
    fail "the title menu's ten seconds are not music"
}

# wait_for SECONDS WHAT CHECK ARGS...: repeats CHECK until it holds; fails
# naming WHAT when the time is up or the program has ended. With KEY set the
# key is held meanwhile, let go for a second in every four: the game reads
# held keys once per update and takes a press only after it has seen every
# key up, which a busy machine can hide between two presses. A check must
# see the press's effect well within the three seconds, or a second press
# may act again.
wait_for() {
  local seconds=$1 what=$2 start=${EPOCHREALTIME/./} down="" phase
  shift 2
  until "$@"; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended while waiting for $what"
    phase=$((${EPOCHREALTIME/./} - start))
    ((phase < seconds * 1000000)) || fail "no $what within $seconds s"
    if [ -n "${KEY:-}" ] && (((phase / 1000000) % 4 < 3)) && [ -z "$down" ]; then xdotool keydown "$KEY" && down=1; fi
    if [ -n "$down" ] && (((phase / 1000000) % 4 == 3)); then xdotool keyup "$KEY" && down=""; fi
    sleep 0.05
  done
  if [ -n "$down" ]; then xdotool keyup "$KEY"; fi
}
press() { KEY=$1 wait_for "${@:2}"; }

# Ends the program with F4 or another action and expects exit status 0.
end_with() {
  "$@"
  local status=0
  timeout 20 tail --pid="$GAME_PID" -f /dev/null || fail "the program did not end after $*"
  wait "$GAME_PID" || status=$?
  GAME_PID=""
  [ "$status" = 0 ] || fail "exit status $status after $*"
}

shot() { import -window "$WINDOW" "$WORK/$1.png"; }

# Keeps a screenshot for the documentation when FLINGAROO_SCREENSHOT_DIR is set.
keep() { [ -z "${FLINGAROO_SCREENSHOT_DIR:-}" ] || { mkdir -p "$FLINGAROO_SCREENSHOT_DIR" && cp "$WORK/$1.png" "$FLINGAROO_SCREENSHOT_DIR/$2.png"; }; }

# pixels SHOT WxH+X+Y: "x y r g b" for each pixel of that part of the
# screenshot, given for a 640 x 480 window; a larger one shows the same
# picture scaled up and is sampled down to match.
pixels() {
  convert "$WORK/$1.png" -sample '640x480!' -crop "$2" +repage -depth 8 rgb:- |
    od -An -v -tu1 -w3 | awk -v w="${2%%x*}" '{ print (NR - 1) % w, int((NR - 1) / w), $1, $2, $3 }'
}

# count SHOT WxH+X+Y RMIN RMAX GMIN GMAX BMIN BMAX: the pixels of that part
# whose channels lie within the ranges.
count() {
  pixels "$1" "$2" | awk -v r0="$3" -v r1="$4" -v g0="$5" -v g1="$6" -v b0="$7" -v b1="$8" '
    $3 >= r0 && $3 <= r1 && $4 >= g0 && $4 <= g1 && $5 >= b0 && $5 <= b1 { n++ } END { print n + 0 }'
}

# ---- What the player sees, each check taking its own screenshot.

# The ball: its rim is a deep orange that nothing else in a level shares (the
# rings are gold, the start markers pink and pale orange); the score line is
# skipped, and so is the much larger orange of the title menu's logo. A
# level is shown when the ball is seen; BALL tells where.
level_shown() {
  shot "$1"
  BALL=$(pixels "$1" 640x430+0+50 | awk '
    $3 >= 225 && $4 >= 85 && $4 <= 135 && $5 >= 40 && $5 <= 85 { n++; sx += $1; sy += $2 }
    END { if (n >= 30 && n <= 600) printf "%d %d\n", sx / n, sy / n + 50 }')
  [ -n "$BALL" ]
}

# The ball waits at the top at rest: the camera glides to it when a level
# starts and after loading.
ball_at_rest() {
  level_shown rest || return 1
  local before=$BALL
  sleep 0.1
  level_shown rest && [ "$BALL" = "$before" ]
}

# From the title menu, starts the selected level and waits for the ball at
# the top; resume KEY goes on with a paused level and waits for it likewise.
start_level() { press space 20 "level started" level_shown start && wait_for 20 "ball waiting at the top" ball_at_rest; }
resume() { press "$1" 10 "level back after $1" eval '! pause_shown resumed' && wait_for 10 "ball after resuming" ball_at_rest; }

# play_level_1: from the title menu, level 1 flung left with J to its
# results and back to the menu; RECORD is then the state file's record line.
play_level_1() {
  menu_up
  start_level
  fling j
  [ "$FLUNG" = left ] || fail "J flung the ball $FLUNG, not left"
  keep flight play
  wait_for 60 "results panel" results_shown results
  keep results results
  menu_up
  RECORD=$(record) || fail "no valid state in $STATE"
}

# fling KEY: flings the waiting ball with KEY; FLUNG tells which way it went
# and the screenshot "flight" shows it on its way.
fling() {
  wait_for 20 "ball waiting at the top" ball_at_rest
  START=${BALL% *}
  press "$1" 20 "ball flung with $1" ball_left_start
}
ball_left_start() {
  level_shown flight || return 1
  if ((${BALL% *} <= START - 8)); then FLUNG=left; elif ((${BALL% *} >= START + 8)); then FLUNG=right; else return 1; fi
}

# The title menu stands once its logo, orange letters on the upper left, has
# slid in and the score panel's digits read the same in two screenshots in a
# row. The digits are drawn see-through over the panel, whose colour follows
# the last level's: a pixel is a digit's when it shows at least a fifth of
# the way from the panel's most common red to full red. DIGITS lists them.
logo_shown() { shot menu && [ "$(count menu 400x130+40+20 240 255 150 200 60 110)" -gt 1500 ]; }
menu_shown() {
  logo_shown || return 1
  local before=$DIGITS
  DIGITS=$(pixels menu 50x60+590+76 | awk '{ r[$1 " " $2] = $3; seen[$3]++ }
    END { for (v in seen) if (seen[v] > seen[panel]) panel = v
          for (p in r) if (r[p] >= panel + 0.2 * (255 - panel)) print p }' | sort)
  [ -n "$DIGITS" ] && [ "$DIGITS" = "$before" ]
}
menu_up() { DIGITS="" && wait_for 30 "title menu" menu_shown; }

# Level 1 is selected when no item's number shows left of the selected one.
level1_selected() { menu_shown && [ "$(count menu 110x24+120+306 150 255 150 255 150 255)" = 0 ]; }

# The pause panel's orange body, dimmed play around it, at mid-screen.
pause_shown() { shot "$1" && [ "$(count "$1" 240x60+200+200 150 255 80 200 0 90)" -gt 3000 ]; }
# pause_lit X Y: the highlight's yellow glow around the pause menu's button
# there: quit 180 184, resume 320 248, options 460 184.
pause_lit() { pause_shown lit && [ "$(count lit 80x80+$(($1 - 40))+$(($2 - 40)) 220 255 220 255 70 140)" -gt 500 ]; }

# The results panel's yellow band has run in from the left to its full length.
results_shown() { shot "$1" && [ "$(count "$1" 8x8+418+212 110 200 110 200 0 60)" -ge 48 ]; }

# The loading screen: its dark blue background in two corners, the orange
# band across the middle and the yellow sun below the logo.
loading_shown() {
  shot loading
  [ "$(count loading 8x8+0+0 34 46 34 46 74 86)" = 64 ] && [ "$(count loading 8x8+632+472 34 46 34 46 74 86)" = 64 ] &&
    [ "$(count loading 8x8+16+236 181 193 118 130 60 72)" = 64 ] && [ "$(count loading 4x4+318+376 206 218 206 218 10 22)" = 16 ]
}

# ---- The state file.

# Prints the three (score, rings) pairs of level 1 and the sound mode when
# the state file is a whole saved string whose every checksum holds; fails
# otherwise. (The journeys' numbers are too small for the sums to wrap.)
record() {
  awk '
    function check(sum, at, what) { if (sum != p[at]) { print what " checksum" >"/dev/stderr"; exit 1 } }
    { line = line $0 }
    END {
      if (split(line, p, "|") != 771 || p[771] != "") { print "not 770 numbers" >"/dev/stderr"; exit 1 }
      for (i = 0; i < 25; i++) sum += p[i + 1] * i
      check(sum, 26, "settings")
      sum = 0; for (i = 27; i <= 34; i++) sum += p[i]
      check(sum, 35, "badge")
      for (a = 0; a < 105; a++) {
        sum = 0; for (k = 0; k < 3; k++) sum += (k + 4) * p[36 + 7 * a + 2 * k] + (a + k + 3) * p[37 + 7 * a + 2 * k]
        check(sum, 42 + 7 * a, "level slot " a)
      }
      print p[36], p[37], p[38], p[39], p[40], p[41], p[6]
    }' "$STATE"
}

# write_state MODE [BROKEN]: a saved string with sound mode MODE, the pad and
# overscan slots as loading repairs them, no badges and level 1's record of
# 123 points and 3 rings, too few to unlock level 2. Every checksum holds
# but the settings' one, Σ slot × index = 5 × MODE + 10 × 64 + 11 × 64 +
# 12 × 10 + 14 × 1, when BROKEN is added to it.
write_state() {
  printf '0|0|0|0|0|%d|0|0|0|0|64|64|10|0|1|0|0|0|0|0|0|0|0|0|0|%d|0|0|0|0|0|0|0|0|0|123|3|0|0|0|0|%d|' \
    "$1" $((5 * $1 + 1478 + ${2:-0})) $((4 * 123 + 3 * 3)) >"$STATE"
  printf '0|%.0s' $(seq 728) >>"$STATE"  # the other 104 level slots
}
