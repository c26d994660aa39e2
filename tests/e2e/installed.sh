#!/usr/bin/env bash
# The installed game: `cmake --install` into a prefix, started through a
# link from another folder with a fresh HOME while the prefix may be written
# (as it may by root, whose records must not land there either).
# The command line answers without a window; the installed menu entry and
# metadata validate; the window carries the icon; level 1 played leaves its
# record, beside the one carried over from a state file in the program's
# folder, in $HOME/.local/share/flingaroo/.kestrelstate (folder mode 700),
# and nothing under the prefix changes.
source "$(dirname "$0")/lib.sh"

PREFIX="$WORK/prefix" LINK="$WORK/bin/flingaroo"
cmake --install "$(dirname "$PROGRAM")" --prefix "$PREFIX" >/dev/null || fail "cmake --install failed"
mkdir -p "$WORK/bin" "$WORK/home" && ln -s "$PREFIX/games/flingaroo" "$LINK"
export HOME="$WORK/home" && unset XDG_DATA_HOME
STATE="$HOME/.local/share/flingaroo/.kestrelstate"
cd "$WORK/bin"

"$LINK" --version | grep -qx 'flingaroo [0-9]*\.[0-9]*\.[0-9]*' || fail "--version did not print the version"
"$LINK" --help | grep -q '^Usage: flingaroo' || fail "--help did not print the usage"
status=0 && "$LINK" --fling >/dev/null 2>"$WORK/usage" || status=$?
[ "$status" = 2 ] && grep -q '^Usage: flingaroo' "$WORK/usage" || fail "an unknown argument gave status $status"
desktop-file-validate "$PREFIX"/share/applications/*.desktop || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$PREFIX"/share/metainfo/*.xml >"$WORK/appstream" || fail "the metadata does not validate: $(cat "$WORK/appstream")"

# Records kept beside the program before it was installed carry over.
STATE="$PREFIX/games/.kestrelstate" write_state 0
find "$PREFIX" -printf '%p %s %T@ %m\n' | sort >"$WORK/before"
start_display 1024x768
GAME="$(dirname "$LINK")" launch
[ "$(xprop -len 8000000 -id "$WINDOW" _NET_WM_ICON | grep -c 'Icon (')" -ge 7 ] || fail "the window has not every size of the icon"
menu_up
start_level
fling j
wait_for 60 "results panel" results_shown results
menu_up
read -r best _ second _ < <(record) || fail "no valid record in $STATE"
((best > 0 && second > 0 && (best == 123 || second == 123))) || fail "level 1 holds $best and $second, not the game's and the carried 123"
[ "$(stat -c %a "$(dirname "$STATE")")" = 700 ] || fail "the records folder is not private"
end_with xdotool key F4
find "$PREFIX" -printf '%p %s %T@ %m\n' | sort | diff "$WORK/before" - || fail "the game changed the prefix"
echo "PASS"
