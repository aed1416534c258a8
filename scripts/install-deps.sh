#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Ludex needs,
# only those that are missing.
set -euo pipefail
# qt6-base-dev: the display (Qt Widgets, and Qt Test for its tests); qt6-wayland: its
# windows on a Wayland desktop without X; libxcb1-dev: the program's own check
# that an X display opens.
packages=(g++ cmake make libgtest-dev libgmock-dev libpng-dev libjpeg62-turbo-dev libgif-dev pkg-config clang
  qt6-base-dev qt6-wayland libxcb1-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi
