#!/usr/bin/env bash
# Runs one case of the screen-width check in an X screen WIDTH pixels wide, with a Wine
# prefix of its own (a prefix keeps to the screen it started on).
#   screen_check.sh WIDTH GTEST_FILTER TEST_EXE
set -u
width=$1 filter=$2 exe=$3
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$(dirname "$exe")/../.." && pwd)

fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${width}x600x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r -t 20 display <"$fifo"; rm -f "$fifo"
if [ -z "${display:-}" ]; then echo "Xvfb did not start"; kill $xvfb 2>/dev/null; exit 1; fi

export DISPLAY=":$display"
export KELO_WINEPREFIX="$build/wine/prefix-screen-$width"
# A fresh copy of the warmed template each run.
rm -rf "$KELO_WINEPREFIX"
"$here/../../cmake/wine-run.sh" "$exe" --gtest_filter="$filter"
rc=$?
WINEPREFIX=$KELO_WINEPREFIX wineserver -k >/dev/null 2>&1
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
exit $rc
