#!/usr/bin/env bash
# Builds the core library, its tests, the benchmarks and the tools without Qt
# (-DLANZHOU_GUI=OFF) into build-core/, runs the core tests there, and fails
# when CMake was asked for a Qt package or any binary of that build links a
# Qt library. Expects scripts/setup-deps.sh to have run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/build-core"
cmake -S "$here" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANZHOU_GUI=OFF >/dev/null
if grep -q '^Qt6[A-Za-z]*_DIR:' "$out/CMakeCache.txt"; then
  echo "The build without the windows looked for Qt:" >&2
  grep '^Qt6[A-Za-z]*_DIR:' "$out/CMakeCache.txt" >&2
  exit 1
fi
cmake --build "$out" --parallel "$(nproc)"

linked=0
while IFS= read -r -d '' binary; do
  # Only ELF files: the build folder holds scripts too.
  [ "$(head -c 4 "$binary" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
  if readelf -d "$binary" | grep -E 'NEEDED.*\[libQt' >/dev/null; then
    echo "Links Qt: ${binary#"$out"/}" >&2
    linked=1
  fi
done < <(find "$out" -path "$out/CMakeFiles" -prune -o -type f -perm -u+x -print0)
[ "$linked" -eq 0 ] || exit 1

cd "$out"
ctest --output-on-failure --parallel "$(nproc)" "$@"
