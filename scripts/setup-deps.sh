#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  libqt6webenginecore6-bin libqt6svg6
  libgl-dev libxkbcommon-dev
  libboost-regex-dev libcurl4-openssl-dev libssl-dev openssl
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei fonts-noto-cjk qt6-translations-l10n
  python3 unicode-data opencc python3-ephem locales
  xauth xvfb
)

# One query for all of them: a warm start should not wait on the package
# database more than once.
installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$NF == "installed" && $(NF-1) == "ok" { print $1 }' || true)"
missing=()
for p in "${packages[@]}"; do
  grep -qx "$p" <<<"$installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
