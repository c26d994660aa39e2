#!/usr/bin/env bash
# tier.sh NATIVE_PROGRAM WINDOWS_BUILD: the Windows build played under Wine,
# in a fresh Wine prefix on a virtual display. The file services' own test
# passes; the program unzipped from flingaroo-windows-x64.zip opens its
# window titled Flingaroo, plays the title tune (captured through OpenAL
# Soft's wave writer, set up by an alsoft.ini beside the program), starts
# level 1 and flings the ball left with J, shows the results, and keeps the
# record in %APPDATA%\Flingaroo\.kestrelstate with the score and rings the
# Linux program gets for the same throw (as the e2e tier's first run left
# it beside the program, or played here); F4 ends it with 0. Its answer to
# --version reaches the output it was given. The installer, run silently, installs into
# Program Files with its Start-menu entry and Add/Remove Programs entry; the
# installed program, started with no output of its own, reads the records
# and says so in its log; its uninstaller, run silently, removes it and
# leaves the records.
source "$(dirname "$0")/../e2e/lib.sh"
WINDOWS_BUILD=$(readlink -f "$2")

export WINEPREFIX="$WORK/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'kill $GAME_PID $XVFB_PID 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$WORK"' EXIT

start_display 1024x768

# ---- The Linux program: its first-run journey's record, or the throw played here
linux_record="$(dirname "$PROGRAM")/level1.record"
if [ "$linux_record" -nt "$PROGRAM" ]; then
  linux=$(cat "$linux_record")
else
  install_game && launch && play_level_1 && end_with xdotool key F4
  linux=$RECORD
fi

# ---- A fresh Wine prefix
wineboot -i >"$WORK/wineboot.log" 2>&1 || fail "wineboot failed"
wine "$WINDOWS_BUILD/windows_files_test.exe" || fail "the Windows file services' test failed"
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")
STATE="$appdata/Flingaroo/.kestrelstate"

# ---- The program from the zip
GAME="$WORK/zip/Flingaroo"
unzip -q "$WINDOWS_BUILD/flingaroo-windows-x64.zip" -d "$WORK/zip" || fail "the zip did not unpack"
printf '[general]\r\ndrivers=wave\r\nsample-type=int16\r\nfrequency=44100\r\n[wave]\r\nfile=%s\r\n' \
  "$(winepath -w "$WORK/windows.wav" | sed 's/\\/\\\\/g')" >"$GAME/alsoft.ini"
wine "$GAME/flingaroo.exe" --version | tr -d '\r' | grep -qx "flingaroo [0-9.]*" ||
  fail "the program's answer did not reach the output it was given"
ALSOFT_DRIVERS=wave launch wine "$GAME/flingaroo.exe"
geometry_is 192,144 640x480 || fail "the window is not 640 x 480 centred on the 1024 x 768 screen"
menu_up
title_tune_heard windows
play_level_1
echo "record (best, rings, ...): Linux $linux, Windows $RECORD"
[ "$RECORD" = "$linux" ] || fail "the Windows program's record differs from the Linux program's"
end_with xdotool key F4

# ---- The installer
setup=$(ls "$WINDOWS_BUILD"/flingaroo-*-setup.exe)
wine "$setup" /S || fail "the silent install failed"
installed="$WINEPREFIX/drive_c/Program Files/Flingaroo"
[ -f "$installed/flingaroo.exe" ] && [ -d "$installed/data" ] || fail "nothing installed in $installed"
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/"*Flingaroo*.lnk >/dev/null 2>&1 ||
  fail "no Start-menu entry"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Flingaroo' /reg:64 | grep -q DisplayName ||
  fail "no Add/Remove Programs entry"
# Started as from the Start menu, with no console and no output of its own:
# its messages go to the log beside the records.
launch wine start /wait /unix "$installed/flingaroo.exe"
press Left 30 "level 1 selected" level1_selected
end_with xdotool key F4
tr -d '\r' <"$appdata/Flingaroo/flingaroo.log" | grep -qx "Highscore 0 Loaded" || fail "the installed program's log does not tell of the records it read"
# The uninstaller copies itself away and returns at once: the program is
# gone when its folder is.
wine 'C:\Program Files\Flingaroo\uninstall.exe' /S
GAME_PID=$$ wait_for 60 "the uninstaller to remove $installed" test ! -e "$installed"
[ "$(record)" = "$RECORD" ] || fail "uninstalling changed the records"
echo "PASS"
