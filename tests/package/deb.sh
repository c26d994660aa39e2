#!/usr/bin/env bash
# The Debian package: cpack builds it from the build folder ($1); lintian
# finds neither an error nor a warning; it is a games package whose
# dependencies were computed from the program's libraries, holding the
# program, its data, menu entry, icon, metadata and manual page.
set -euo pipefail
WORK=$(mktemp -d /tmp/flingaroo-deb-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$1/CPackConfig.cmake" -B "$WORK" >"$WORK/cpack.log" 2>&1 || fail "cpack: $(tail -3 "$WORK/cpack.log")"
deb=$(ls "$WORK"/flingaroo_*.deb)
lintian --fail-on error,warning "$deb" >"$WORK/lintian" 2>&1 || fail "lintian: $(grep -v 'root privileges' "$WORK/lintian")"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the section is not games"
dpkg-deb -f "$deb" Depends | grep -q 'libglfw3 (>= ' || fail "the dependencies were not computed: $(dpkg-deb -f "$deb" Depends)"
contents=$(dpkg-deb -c "$deb")
for file in usr/games/flingaroo usr/share/flingaroo/data/vela_font.png usr/share/applications/org.flingaroo.Flingaroo.desktop \
    usr/share/icons/hicolor/256x256/apps/flingaroo.png usr/share/metainfo/org.flingaroo.Flingaroo.metainfo.xml \
    usr/share/man/man6/flingaroo.6.gz usr/share/doc/flingaroo/copyright; do
  grep -q " \./$file\$" <<<"$contents" || fail "the package lacks /$file"
done
echo "PASS"
