# Steps shared by the player journeys: starting the game on its own screen,
# holding keys, screenshots of the window, finding what a player looks at
# in them (the ball, the menu's logo, the panels), waiting for a screen with
# a timeout, and reading and writing the state file. Sourced after lib.sh.

JOURNEY_STATE="$E2E_WORK/game/.kestrelstate"  # beside the installed program
JOURNEY_WINDOW=""
JOURNEY_BALL=""

# Runs the installed game (the display must be running) and focuses its
# window, so that XTEST keys reach it.
journey_run() {
  e2e_run_game
  JOURNEY_WINDOW=$(e2e_window)
  xdotool windowfocus --sync "$JOURNEY_WINDOW" 2>/dev/null || true
}

journey_launch() {
  e2e_install_game
  journey_run
}

# The game reads key-down state once per update, so a tap is held across
# one, and the release is left for an update to see before the next press.
journey_hold() {
  xdotool keydown "$1"
  sleep "${2:-0.12}"
  xdotool keyup "$1"
  sleep 0.1
}

journey_shot() {
  import -window "$JOURNEY_WINDOW" "$E2E_WORK/$1.png"
}

# Keeps a screenshot as a picture for the documentation, when asked to.
journey_keep() {
  if [ -n "${FLINGAROO_SCREENSHOT_DIR:-}" ]; then
    mkdir -p "$FLINGAROO_SCREENSHOT_DIR"
    cp "$E2E_WORK/$1.png" "$FLINGAROO_SCREENSHOT_DIR/$2.png"
  fi
}

# journey_pixels SHOT WxH+X+Y: prints "x y r g b" for each pixel of that part
# of the screenshot. The part is given for a 640 x 480 window; larger windows
# show the same picture scaled up and are sampled down to match.
journey_pixels() {
  local width=${2%%x*}
  convert "$E2E_WORK/$1.png" -sample '640x480!' -crop "$2" +repage -depth 8 rgb:- |
    od -An -v -tu1 -w3 | awk -v w="$width" '{ print (NR - 1) % w, int((NR - 1) / w), $1, $2, $3 }'
}

# journey_count SHOT WxH+X+Y RMIN RMAX GMIN GMAX BMIN BMAX: how many pixels
# of that part of the screenshot have their channels within the ranges.
journey_count() {
  journey_pixels "$1" "$2" | awk -v r0="$3" -v r1="$4" -v g0="$5" -v g1="$6" -v b0="$7" -v b1="$8" '
    $3 >= r0 && $3 <= r1 && $4 >= g0 && $4 <= g1 && $5 >= b0 && $5 <= b1 { n++ }
    END { print n + 0 }'
}

# Prints "x y" of the ball in a screenshot, or nothing when it is not seen.
# Its rim is a deep orange that nothing else in a level shares (the rings are
# gold, the start markers pink and pale orange); the score line is skipped.
journey_ball() {
  journey_pixels "$1" 640x430+0+50 | awk '
    $3 >= 225 && $4 >= 85 && $4 <= 135 && $5 >= 40 && $5 <= 85 { n++; sx += $1; sy += $2 }
    END { if (n >= 30) printf "%d %d\n", sx / n, sy / n + 50 }'
}

# The title menu is up once its logo, orange letters on the upper left, has
# slid into place.
journey_menu_shown() {
  journey_shot "$1"
  [ "$(journey_count "$1" 400x130+40+20 240 255 150 200 60 110)" -gt 1500 ]
}

# A level is up when the ball is seen; JOURNEY_BALL tells where.
journey_level_shown() {
  journey_shot "$1"
  JOURNEY_BALL=$(journey_ball "$1")
  [ -n "$JOURNEY_BALL" ]
}

# The pause panel's orange body, dimmed play around it, at mid-screen.
journey_pause_shown() {
  journey_shot "$1"
  [ "$(journey_count "$1" 240x60+200+200 150 255 80 200 0 90)" -gt 3000 ]
}

# The results panel's yellow band runs in from the left at 45 % of the height.
journey_results_shown() {
  journey_shot "$1"
  [ "$(journey_count "$1" 200x8+0+212 110 200 110 200 0 60)" -gt 1000 ]
}

# The loading screen's dark blue background fills the corners.
journey_loading_shown() {
  journey_shot "$1"
  [ "$(journey_count "$1" 8x8+0+0 34 46 34 46 74 86)" = 64 ] &&
    [ "$(journey_count "$1" 8x8+632+472 34 46 34 46 74 86)" = 64 ]
}

# journey_wait SECONDS WHAT CHECK ARGS...: repeats CHECK until it holds; fails
# the test naming WHAT when it has not held within the time.
journey_wait() {
  local seconds=$1 what=$2
  shift 2
  local end=$(($(date +%s) + seconds))
  until "$@"; do
    e2e_still_running || e2e_fail "the program ended while waiting for $what"
    (($(date +%s) < end)) || e2e_fail "no $what within $seconds s"
    sleep 0.1
  done
}

# The ball waits at the top, at rest on the screen: the camera glides to it
# when a level starts and after loading.
journey_ball_at_rest() {
  local before
  journey_level_shown ball_rest || return 1
  before=$JOURNEY_BALL
  sleep 0.1
  journey_level_shown ball_rest && [ "$JOURNEY_BALL" = "$before" ]
}

# Flings the ball with KEY and prints which way it moves: "left" or "right"
# at the first screenshot where it has left its start by 8 pixels or more.
journey_fling() {
  local key=$1 start x shot
  journey_wait 10 "ball waiting at the top" journey_ball_at_rest
  start=${JOURNEY_BALL% *}
  xdotool keydown "$key"
  for shot in $(seq 30); do
    journey_shot "flight$shot"
    x=$(journey_ball "flight$shot")
    x=${x% *}
    [ -n "$x" ] || continue
    if ((x <= start - 8)); then echo left; break; fi
    if ((x >= start + 8)); then echo right; break; fi
  done
  xdotool keyup "$key"
}

# Prints the three (score, rings) pairs of level 1 when the state file is a
# whole saved string whose every checksum holds; fails otherwise.
journey_level1_record() {
  awk -F'|' '
    function wrap(v) { v = v % 4294967296; if (v >= 2147483648) v -= 4294967296
                       if (v < -2147483648) v += 4294967296; return v }
    { line = line $0 }
    END {
      n = split(line, p, "|")
      if (n != 771 || p[771] != "") { print "not 770 numbers" > "/dev/stderr"; exit 1 }
      for (i = 0; i < 25; i++) sum += p[i + 1] * i
      if (wrap(sum) != p[26]) { print "settings checksum" > "/dev/stderr"; exit 1 }
      sum = 0; for (i = 27; i <= 34; i++) sum += p[i]
      if (wrap(sum) != p[35]) { print "badge checksum" > "/dev/stderr"; exit 1 }
      for (a = 0; a < 105; a++) {
        b = 36 + 7 * a; sum = 0
        for (k = 0; k < 3; k++) sum += (k + 4) * p[b + 2 * k] + (a + k + 3) * p[b + 2 * k + 1]
        if (wrap(sum) != p[b + 6]) { print "level slot " a " checksum" > "/dev/stderr"; exit 1 }
      }
      print p[36], p[37], p[38], p[39], p[40], p[41]
    }' "$1"
}

# Writes a state holding only a settings block, valid as the game repairs
# it: sound mode $2 in slot 5, the pad slots 10, 11, 12 and slot 14 as
# loading leaves them, and the checksum Σ slot × index.
journey_write_settings() {
  local settings=(0 0 0 0 0 "$2" 0 0 0 0 64 64 10 0 1 0 0 0 0 0 0 0 0 0 0)
  local text="" sum=0 i
  for i in "${!settings[@]}"; do
    text+="${settings[i]}|"
    sum=$((sum + settings[i] * i))
  done
  printf '%s%d|' "$text" "$sum" >"$1"
}

# From the title menu, starts the selected level and waits for the ball at
# the top of the tower; its position is left in JOURNEY_BALL.
journey_start_level() {
  journey_wait 15 "title menu" journey_menu_shown menu
  journey_hold space
  journey_wait 10 "ball waiting at the top" journey_ball_at_rest
}
