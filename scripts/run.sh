#!/usr/bin/env bash
# Sets up everything that is missing, builds and starts the program.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/build.sh"
# Chromium's sandbox (behind the page views) refuses to run as root.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec "$here/build/lanzhou" "$@"
