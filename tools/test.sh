#!/usr/bin/env bash
# Builds Kelo and every test program, then runs all tests under Wine. The first test starts
# the X screens and Wine prefixes the others run in (cmake/wine-slots.sh), the last ends them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
