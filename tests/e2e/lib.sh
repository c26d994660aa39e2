# Shared steps of the end-to-end tests: a virtual display, the real program
# started from a folder of its own, its window, keys, and its exit status.
# Sourced by each test script; $1 of the script is the built program.

set -euo pipefail

E2E_PROGRAM=$(readlink -f "$1")
E2E_WORK=$(mktemp -d /tmp/flingaroo-e2e-XXXXXX)
E2E_GAME_PID=""
E2E_XVFB_PID=""

e2e_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

e2e_cleanup() {
  [ -n "$E2E_GAME_PID" ] && kill "$E2E_GAME_PID" 2>/dev/null || true
  [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
  rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

# Starts Xvfb on a free display number with the given screen size. It must
# not reset when its last client leaves: an xdotool call ending just as the
# program connects would otherwise make the program's glfwInit fail.
e2e_start_display() {
  local size=${1:-1920x1080}
  exec 3< <(Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp -noreset 2>"$E2E_WORK/xvfb.log")
  E2E_XVFB_PID=$!
  local number
  read -r -t 10 number <&3 || e2e_fail "Xvfb did not start"
  export DISPLAY=":$number"
}

# Copies the program with its data beside it into the work folder, so each
# test has its own state file; E2E_GAME_DIR is that folder.
e2e_install_game() {
  local build
  build=$(dirname "$E2E_PROGRAM")
  E2E_GAME_DIR="$E2E_WORK/game"
  mkdir -p "$E2E_GAME_DIR"
  cp "$E2E_PROGRAM" "$E2E_GAME_DIR/"
  [ -d "$build/data" ] && cp -r "$build/data" "$E2E_GAME_DIR/"
  return 0
}

# Starts the installed program; its output goes to $E2E_WORK/stdout.
e2e_run_game() {
  ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} "$E2E_GAME_DIR/$(basename "$E2E_PROGRAM")" \
    >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr" </dev/null &
  E2E_GAME_PID=$!
}

e2e_start_game() {
  e2e_install_game
  e2e_run_game
}

# Waits for the window titled Flingaroo and prints its id.
e2e_window() {
  local id=""
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name '^Flingaroo$' 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    if ! kill -0 "$E2E_GAME_PID" 2>/dev/null; then
      cat "$E2E_WORK/stdout" "$E2E_WORK/stderr" >&2
      e2e_fail "the program ended before its window appeared"
    fi
    sleep 0.1
  done
  cat "$E2E_WORK/stdout" "$E2E_WORK/stderr" >&2
  e2e_fail "no window titled Flingaroo appeared"
}

e2e_key() {
  xdotool key --window "$1" "$2"
}

# Waits for the program to end and sets E2E_STATUS to its exit status
# (not in a subshell: only this shell can wait for its child).
e2e_wait_exit() {
  E2E_STATUS=0
  for _ in $(seq 100); do
    kill -0 "$E2E_GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$E2E_GAME_PID" 2>/dev/null && e2e_fail "the program did not end"
  wait "$E2E_GAME_PID" || E2E_STATUS=$?
  E2E_GAME_PID=""
}

e2e_still_running() {
  kill -0 "$E2E_GAME_PID" 2>/dev/null
}
