#!/usr/bin/env bash
# Every file the build and the tests take from the system comes from a
# package that tools/debian-packages names, so that ./play and ./test set up
# a fresh machine completely, not just this one.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
listed=$(grep -v '^#' "$root/tools/debian-packages" | grep -v '^\s*$')

# Headers and commands the project uses, by path; a missing command is named
# as it is looked up.
needed=(/usr/include/{GLFW/glfw3,GL/gl,AL/al,stb/stb_image,stb/stb_vorbis,gtest/gtest,gmock/gmock,benchmark/benchmark}.h
        /usr/bin/python3)
for command in cmake cpack pkg-config clang++ Xvfb xvfb-run xdotool xauth xprop xmessage import sox oggenc stress-ng \
    lintian desktop-file-validate appstreamcli file \
    emcc chromium node brotli; do
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
    echo "not installed by tools/debian-packages: $path (from: $(echo $owners))"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "every needed file comes from a listed package"
exit $failed
