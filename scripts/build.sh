#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/: the
# targets given as arguments, or everything.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup-deps.sh"
# Once configured, the build itself reruns CMake when a CMake file changes.
if [ ! -f "$here/build/build.ninja" ]; then
  cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$here/build" --parallel "$(nproc)" "${targets[@]}"
