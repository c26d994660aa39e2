# Steps shared by the overlay tests: holding keys long enough for the game's
# updates to see them, reaching the boxes from the title menu, screenshots
# of the window and reading their pixels. Sourced after lib.sh.

# Keys the game polls as held must stay down across an update; a plain
# `xdotool key` may press and release within one event step.
overlay_press() {
  xdotool keydown --window "$1" "$2"
  sleep 0.15
  xdotool keyup --window "$1" "$2"
  sleep 0.15
}

# Loading takes 29 updates and the menu slides in over 32 more.
overlay_wait_menu() {
  sleep 2.5
}

# Holds right until the selection has run through all 100 levels to the
# options item (about 350 updates with the menu's key repeat), then opens it.
overlay_open_options() {
  xdotool keydown --window "$1" Right
  sleep 7.5
  xdotool keyup --window "$1" Right
  sleep 1
  overlay_press "$1" Return
  sleep 1
}

# Saves a screenshot of the whole screen, and a copy in $E2E_SHOTS when set.
overlay_shot() {
  import -window root "$E2E_WORK/$1.png"
  if [ -n "${E2E_SHOTS:-}" ]; then cp "$E2E_WORK/$1.png" "$E2E_SHOTS/"; fi
}

# Prints "r g b" of one pixel of a screenshot.
overlay_pixel() {
  convert "$E2E_WORK/$1.png" -format \
    "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]\n" info:
}

# Checks that a pixel's channels lie within the given ranges.
overlay_expect_pixel() {
  local shot=$1 x=$2 y=$3 what=$4
  local r g b
  read -r r g b < <(overlay_pixel "$shot" "$x" "$y")
  echo "$shot ($x,$y): $r $g $b"
  (( r >= $5 && r <= $6 && g >= $7 && g <= $8 && b >= $9 && b <= ${10} )) ||
    e2e_fail "$what: pixel ($x,$y) of $shot is $r $g $b"
}
