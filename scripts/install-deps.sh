#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Ludex needs,
# only those that are missing.
set -euo pipefail
packages=(g++ cmake make libgtest-dev libgmock-dev libpng-dev libjpeg62-turbo-dev libgif-dev pkg-config clang)
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
