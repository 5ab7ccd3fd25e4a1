#!/usr/bin/env bash
# Installs what building and testing Kelo needs on Debian 12, when it is missing.
set -euo pipefail
packages=(
  cmake make g++
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  googletest
  wine wine64
  xvfb xauth x11-utils xdotool imagemagick
  # Metric-compatible faces for Times New Roman, Arial and Courier New: Wine's prefixes
  # (cmake/wine-env.sh) and Chromium's fontconfig both draw those names with them.
  fonts-liberation
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >/dev/null
  apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi
