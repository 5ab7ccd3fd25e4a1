#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, quietly and in a prefix of the build.
#   wine-run.sh PROGRAM.exe [ARGS...]
# - The prefix: $KELO_WINEPREFIX when set; else, during a test run (KELO_WINE_SLOTS names
#   the slots that cmake/wine-slots.sh set up), a free slot's prefix and X screen, held
#   until the program ends; else <build>/wine/prefix. Prefixes are made on first use as
#   copies of a template, with the install prompts, the window manager, the crash dialog
#   and the post-mortem debugger off.
# - The program's stdout/stderr go to files, so Wine's helper processes (which inherit
#   them) never keep ctest waiting; stdout is streamed while the program runs. Wine's own
#   diagnostics are dropped when the program succeeds and kept when it fails.
set -u
prog=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
build=$(find_build_dir "$prog")

# Takes the first free slot (fd 8 holds its lock); with every slot busy, waits for the first.
take_slot() {
  local d
  for d in "$KELO_WINE_SLOTS"/[0-9]*/; do
    exec 8>"$d/lock"
    flock -n 8 && { slot=${d%/}; return; }
    exec 8>&-
  done
  slot=$KELO_WINE_SLOTS/0
  exec 8>"$slot/lock"
  flock 8
}

if [ -n "${KELO_WINEPREFIX:-}" ]; then
  export WINEPREFIX=$KELO_WINEPREFIX
elif [ -n "${KELO_WINE_SLOTS:-}" ] && [ -f "$KELO_WINE_SLOTS/up" ]; then
  take_slot
  export WINEPREFIX=$slot/prefix
  DISPLAY=$(cat "$slot/display")
  export DISPLAY
else
  export WINEPREFIX=$build/wine/prefix
fi
ensure_prefix "$build" "$WINEPREFIX"

# A persistent server: each test program then starts in a fraction of a second. Nothing
# started here may inherit the slot's lock.
wineserver -p60 >/dev/null 2>&1 </dev/null 8>&-

out=$(mktemp); err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$prog" "$@" >"$out" 2>"$err" </dev/null 8>&- &
pid=$!
tail -s 0.05 -n +1 -f --pid=$pid "$out" 2>/dev/null 8>&- &
tailpid=$!
wait $pid
rc=$?
wait $tailpid 2>/dev/null
hints='wine32 is missing|multiarch needs|dpkg --add-architecture|apt-get install wine32'
if [ $rc -eq 0 ]; then
  grep -v -E "^(wine: |err:|fixme:|warn:|[0-9a-f]{4}:(err|fixme|warn))|$hints" "$err" >&2
else
  # A program that dies before its first line leaves only Wine's lines to read.
  grep -v -E "$hints" "$err" >&2
  echo "wine-run.sh: $(basename "$prog") ended with exit code $rc (prefix $WINEPREFIX, display ${DISPLAY:-none})" >&2
fi
exit $rc
