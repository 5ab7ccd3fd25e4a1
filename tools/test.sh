#!/usr/bin/env bash
# Builds Kelo and every test program, then runs all tests under Wine in a virtual screen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  ctest --preset default; rc=$?
  WINEPREFIX="$PWD/build/wine/prefix" wineserver -k 2>/dev/null
  exit $rc'
