#!/usr/bin/env bash
# Every file the build and the tests take from the system comes from a
# package that tools/debian-packages names, so that ./play and ./test set up
# a fresh machine completely, not just this one; tools/windows-packages adds
# what the Windows build and its tier take.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
listed=$(cat "$root/tools/debian-packages" "$root/tools/windows-packages" | grep -v '^#' | grep -v '^\s*$')

# Headers and commands the project uses, by path; a missing command is named
# as it is looked up.
needed=(/usr/include/{GLFW/glfw3,GL/gl,AL/al,stb/stb_image,stb/stb_vorbis,gtest/gtest,gmock/gmock,benchmark/benchmark}.h
        /usr/bin/python3 /usr/src/googletest/CMakeLists.txt)
for command in cmake cpack pkg-config clang++ Xvfb xvfb-run xdotool xauth xprop xmessage import sox oggenc stress-ng \
    lintian desktop-file-validate appstreamcli file \
    emcc chromium node brotli \
    x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres x86_64-w64-mingw32-strip \
    dpkg-source xz makensis zip unzip wine wineboot wineserver winepath; do
  needed+=("$(command -v "$command" || echo "$command")")
done

# Everything the listed packages install, with what they depend on.
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances $listed 2>/dev/null | grep -v '^ ' | sed 's/:.*//' | sort -u)

failed=0
for path in "${needed[@]}"; do
  if [ ! -e "$path" ]; then
    echo "missing on this machine: $path"
    failed=1
    continue
  fi
  real=$(readlink -f "$path")
  owners=$( { dpkg -S "$path" 2>/dev/null; dpkg -S "$real" 2>/dev/null; } | cut -d: -f1 | tr ',' '\n' | tr -d ' ' | sort -u)
  found=0
  for owner in $owners; do
    owner=${owner%%:*}
    # A package may be listed itself or pulled in by a listed one.
    if grep -qx "$owner" <<<"$closure"; then found=1; break; fi
  done
  if [ "$found" = 0 ]; then
    echo "not installed by the package lists: $path (from: $(echo $owners))"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "every needed file comes from a listed package"
exit $failed
