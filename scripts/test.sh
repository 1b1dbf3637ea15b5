#!/usr/bin/env bash
# Sets up everything that is missing, builds and runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/build.sh"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cd "$here/build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
