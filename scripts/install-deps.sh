#!/usr/bin/env bash
# Installs the Debian 12 packages the station needs to build, run and test.
# Runs apt-get as root, through sudo otherwise; does nothing when all are there.
set -euo pipefail

packages=(
  build-essential cmake ccache
  qt6-base-dev qt6-serialport-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev qt6-translations-l10n
  libzint-dev libsqlite3-dev sqlite3 libsodium-dev libcsv-dev pkg-config libbenchmark-dev
  fonts-liberation locales
  zbar-tools dmtx-utils poppler-utils socat
  cups libcups2-dev
  postgresql
  xvfb xauth xdotool imagemagick
  debhelper dpkg-dev help2man lintian groff-base
  cage xwayland grim qt6-wayland
  qt6-httpserver-dev
  chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
