#!/usr/bin/env bash
# Installs what Kelvo needs to build and run on Debian 12, when it is missing.
# Run as root, or as a user who may use sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev
  appstream desktop-file-utils dpkg-dev
  libsqlite3-dev
  libboost-math-dev
  googletest libgtest-dev
  libbenchmark-dev
  fonts-noto-cjk fonts-dejavu-core
  xvfb xauth imagemagick file poppler-utils
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
