#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  libqt6webenginecore6-bin libqt6svg6
  libgl-dev libxkbcommon-dev
  libboost-regex-dev libcurl4-openssl-dev libssl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei qt6-translations-l10n
  python3 unicode-data opencc python3-ephem
  xauth xvfb
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
