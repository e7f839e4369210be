#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing KAVELIN need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools libqt6webenginecore6-bin
  libgl-dev libjpeg62-turbo-dev
  googletest libgtest-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdg-utils
  qt6-translations-l10n
  desktop-file-utils appstream
)
# Benchmark peers and checking tools: wanted, but a build works without them.
optional=(libqscintilla2-qt6-dev unrtf imagemagick)

missing=()
for p in "${packages[@]}" "${optional[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
