#!/usr/bin/env bash
# Sets up everything that is missing, builds and starts the program.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/build.sh"
exec "$here/build/lanzhou" "$@"
