#!/usr/bin/env bash
# Every file the build and the tests take from the system comes from a
# package that tools/debian-packages names, so that ./play and ./test set up
# a fresh machine completely, not just this one.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
listed=$(grep -v '^#' "$root/tools/debian-packages" | grep -v '^\s*$')

# Headers, libraries and commands the project uses, by path.
needed=(
  /usr/include/GLFW/glfw3.h
  /usr/include/GL/gl.h
  /usr/include/AL/al.h
  /usr/include/stb/stb_image.h
  /usr/include/stb/stb_vorbis.h
  /usr/include/gtest/gtest.h
  /usr/include/gmock/gmock.h
  /usr/include/benchmark/benchmark.h
  "$(command -v cmake)"
  "$(command -v pkg-config)"
  "$(command -v clang++)"
  "$(command -v Xvfb)"
  "$(command -v xvfb-run)"
  "$(command -v xdotool)"
  "$(command -v xauth)"
  "$(command -v import)"
  "$(command -v sox)"
  "$(command -v oggenc)"
  /usr/bin/python3
)

# Everything the listed packages install, with what they depend on.
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances $listed 2>/dev/null | grep -v '^ ' | sed 's/:.*//' | sort -u)

failed=0
for path in "${needed[@]}"; do
  if [ -z "$path" ] || [ ! -e "$path" ]; then
    echo "missing on this machine: ${path:-a command}"
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
    echo "not installed by tools/debian-packages: $path (from: $(echo $owners))"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "every needed file comes from a listed package"
exit $failed
