#!/usr/bin/env bash
# At start the program shows its loading screen (the dark blue background, the
# orange band, the yellow sun behind the logo and the dark dots of the
# spinner's front half) and plays the logo jingle once, which we capture
# through OpenAL Soft's wave backend and check is not silence.
source "$(dirname "$0")/lib.sh"

wav="$E2E_WORK/out.wav"
cat >"$E2E_WORK/alsoft.conf" <<CONF
[general]
drivers=wave
sample-type=int16
frequency=44100
[wave]
file=$wav
CONF
export ALSOFT_CONF="$E2E_WORK/alsoft.conf" ALSOFT_DRIVERS=wave

# A 640 x 480 screen: the centred 640 x 480 window covers it exactly, and the
# virtual screen is the window at scale 1.
e2e_start_display 640x480
e2e_start_game
window=$(e2e_window)

pixel() {  # pixel FILE X Y -> "r,g,b" (0..255)
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt: | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}
near() {  # near "r,g,b" "r,g,b": every channel within 6
  local IFS=,
  read -r a b c <<<"$1"
  read -r x y z <<<"$2"
  (( a - x <= 6 && x - a <= 6 && b - y <= 6 && y - b <= 6 && c - z <= 6 && z - c <= 6 ))
}

# Loading lasts about half a second; shoot until a frame of it is caught. A
# new window size restarts loading, so a miss is retried after a resize.
shot="$E2E_WORK/loading.png"
caught=""
for attempt in 1 2 3 4 5; do
  for _ in $(seq 15); do
    import -window root "$shot"
    if near "$(pixel "$shot" 5 5)" "40,40,80"; then caught=1; break 2; fi
  done
  xdotool windowsize "$window" $((640 - attempt % 2)) 480
done
[ -n "$caught" ] || e2e_fail "no frame of the loading screen was seen"
cp "$shot" "${E2E_SHOT_DIR:-$E2E_WORK}/loading_screen.png" 2>/dev/null || true

# Background corners, the band (250,160,60 at alpha 0.7 over the background)
# and the sun below the logo (255,255,0 at alpha 0.8), clear of the spinner.
for corner in "5 5" "630 470" "5 470"; do
  near "$(pixel "$shot" $corner)" "40,40,80" || e2e_fail "background at $corner is $(pixel "$shot" $corner)"
done
near "$(pixel "$shot" 20 240)" "187,124,66" || e2e_fail "band is $(pixel "$shot" 20 240)"
near "$(pixel "$shot" 320 378)" "212,212,16" || e2e_fail "sun is $(pixel "$shot" 320 378)"

# The spinner's front half: its last dot is opaque (50,50,50) on a circle of
# radius 120 around the centre.
front=$(convert "$shot" -depth 8 txt:- | awk -F'[(,): ]+' '
  NR > 1 { dx = $1 - 320; dy = $2 - 240; d = sqrt(dx * dx + dy * dy)
           if (d > 114 && d < 126 && $3 >= 46 && $3 <= 54 && $4 >= 46 && $4 <= 54 && $5 >= 46 && $5 <= 54) n++ }
  END { print n + 0 }')
[ "$front" -ge 20 ] || e2e_fail "no dark spinner dot on the ring ($front pixels)"

# The wave file is completed only when the program closes its device: end
# with F4, then look for sound in it.
sleep 1
e2e_key "$window" F4
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS after F4"
[ -s "$wav" ] || e2e_fail "no sound was captured"
stats=$(sox "$wav" -n stat 2>&1)
echo "$stats"
peak=$(awk '/^Maximum amplitude/ { print $3 }' <<<"$stats")
awk -v p="$peak" 'BEGIN { exit !(p > 0.05) }' || e2e_fail "the jingle is silent (peak $peak)"
echo "PASS"
