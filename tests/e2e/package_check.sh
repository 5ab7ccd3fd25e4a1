#!/usr/bin/env bash
# The release zip, packed by CPack from the build BUILD_DIR (whose programs and sample skins
# are built): it unpacks into one folder holding the ready kiosk, KeloCheck finds no error
# there, and Kelo.exe started there shows the sample start page. Runs in a Wine prefix of
# its own, which it ends.
#   package_check.sh BUILD_DIR
set -u
# Kelo needs an X screen: the test run's slots are taken by the Windows test programs.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$build/package-check
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work"; mkdir -p "$work"
(cd "$build" && cpack -G ZIP -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
zip=$(ls "$work"/Kelo-*-win64.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || fail "no Kelo-<version>-win64.zip"
(cd "$work" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
kiosk=$work/$(basename "$zip" .zip)
for f in Kelo.exe KeloCheck.exe Kelo.ini LISEZMOI.txt SKINS/Lanceur.ini SKINS/Classique/Skin.ini \
         SKINS/Ardoise/Skin.ini SKINS/Sable/Skin.ini res/main.html res/aide.html res/kiosque.css \
         Video/film1.exe Video/film2.exe Video/film3.exe; do
  [ -f "$kiosk/$f" ] || fail "$f is not in the zip's folder"
done

export KELO_WINEPREFIX=$build/wine/prefix-package
trap 'WINEPREFIX=$KELO_WINEPREFIX wineserver -k >/dev/null 2>&1' EXIT

# KeloCheck, started without a folder, checks its own.
"$root/cmake/wine-run.sh" "$kiosk/KeloCheck.exe" >"$work/check.txt"
rc=$?
cat "$work/check.txt"
[ $rc -eq 0 ] || fail "KeloCheck exited with $rc"
grep -q '^ERREUR' "$work/check.txt" && fail "KeloCheck found errors"

# Kelo shows the start page: its background colour fills much of the screen.
"$root/cmake/wine-run.sh" "$kiosk/Kelo.exe" &
for _ in $(seq 1 60); do
  xdotool search --onlyvisible --class kelo.exe >/dev/null 2>&1 && break
  sleep 1
done
shown=0
for _ in $(seq 1 20); do
  sleep 1
  import -window root "$work/screen.png" 2>/dev/null || continue
  shown=$(convert "$work/screen.png" -alpha off -fill red -opaque '#002060' -fill black +opaque red \
            -fill white -opaque red -format '%[fx:int(mean*w*h)]' info: 2>/dev/null)
  [ "${shown:-0}" -gt 100000 ] && break
done
echo "start page pixels: $shown"
[ "${shown:-0}" -gt 100000 ] || fail "the sample start page is not on the screen"
echo "PASS"
