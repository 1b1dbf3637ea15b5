#!/usr/bin/env bash
# Sets up everything that is missing, builds and starts the program.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
# The program alone: the tests and benchmarks are built by scripts/test.sh.
bash "$here/scripts/build.sh" lanzhou
# Chromium's sandbox (behind the page views) refuses to run as root.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec "$here/build/lanzhou" "$@"
