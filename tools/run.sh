#!/usr/bin/env bash
# Builds Kelo, lays out a sample kiosk in build/kiosk and starts Kelo.exe on it under Wine.
# With a display it simply runs. Without one it runs in a virtual 1024x768 screen, saves a
# screenshot to build/kelo-screenshot.png once the window is up, then stops Kelo.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build
kiosk=$build/kiosk
screenshot=$build/kelo-screenshot.png

bash tools/setup.sh
cmake --preset default >/dev/null
# Only what runs here: Kelo and the stand-in player (the skin generator is built below).
cmake --build --preset default --target Kelo kelo_player

# The kiosk: the program, its settings, the skins, the start page and the videos, which
# are copies of the stand-in player. The skins' bitmaps and Skin.ini come from our
# generator, a host program.
rm -rf "$kiosk"
mkdir -p "$kiosk"
cp -R tools/kiosk/. "$kiosk/"
g++ -std=c++17 -O2 -o "$build/SkinGenerator" tools/skingen/*.cpp
"$build/SkinGenerator" skins "$kiosk/SKINS"
cp "$build/Kelo.exe" "$kiosk/"
player=$build/tools/KeloPlayer.exe
if [ -f "$player" ]; then
  for film in film1 film2 film3; do
    cp "$player" "$kiosk/Video/$film.exe"
  done
else
  echo "No stand-in player was built: the kiosk has no videos." >&2
fi

# cmake/wine-run.sh makes the build's Wine prefix (build/wine/prefix) when it is missing.
export WINEPREFIX=$build/wine/prefix
unset KELO_WINEPREFIX

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/cmake/wine-run.sh" "$kiosk/Kelo.exe"
fi

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -s "$root" "$kiosk/Kelo.exe" "$screenshot" <<'SCREEN'
root=$1 exe=$2 screenshot=$3
# Kelo's own output goes to a log, shown when its window never came up: the end below
# stops it on purpose, which the wrapper would report as a failure.
log=$(mktemp)
"$root/cmake/wine-run.sh" "$exe" >"$log" 2>&1 &
kelo=$!
# A fresh prefix takes a while to make; then give the window a moment to draw.
for _ in $(seq 1 120); do
  xdotool search --onlyvisible --class kelo.exe >/dev/null 2>&1 && break
  kill -0 $kelo 2>/dev/null || break
  sleep 1
done
if ! xdotool search --onlyvisible --class kelo.exe >/dev/null 2>&1; then
  echo "Kelo's window did not come up:" >&2
  cat "$log" >&2
fi
sleep 3
import -window root "$screenshot"
echo "Screenshot: $screenshot"
wineserver -k >/dev/null 2>&1
wait $kelo 2>/dev/null
rm -f "$log"
exit 0
SCREEN
