#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing and packaging the game need,
# and only those that are missing. Works as root or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache clang-format clang-tidy
  qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev libxcb1-dev pkg-config
  fonts-ipafont-gothic fonts-motoya-l-maruberi
  xvfb xdotool x11-utils imagemagick appstream sqlite3 desktop-file-utils
  weston qt6-wayland qt6-gtk-platformtheme
  build-essential debhelper dpkg-dev fakeroot lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
