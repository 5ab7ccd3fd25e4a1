#!/usr/bin/env bash
# Builds what the release holds (Kelo.exe, KeloCheck.exe, the stand-in player, the sample
# skins) and packs the ready kiosk folder into build/Kelo-<version>-win64.zip with CPack.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target Kelo KeloCheck kelo_player kelo_sample_skins
cd build
cpack -G ZIP
