#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, quietly and in the build's own prefix.
#   wine-run.sh PROGRAM.exe [ARGS...]
# - The prefix lives in <build>/wine/prefix (or $KELO_WINEPREFIX) and is made on first use
#   from a template, with the install prompts, the window manager, the crash dialog and the
#   post-mortem debugger off.
# - The program's stdout/stderr go to files, so Wine's helper processes (which inherit
#   them) never keep ctest waiting; stdout is streamed while the program runs.
set -u
prog=$1; shift

find_build_dir() {
  local d
  d=$(cd "$(dirname "$1")" && pwd)
  while [ "$d" != "/" ]; do
    [ -f "$d/CMakeCache.txt" ] && { echo "$d"; return; }
    d=$(dirname "$d")
  done
  echo "$(cd "$(dirname "$1")" && pwd)"
}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export LANG=${LANG:-C.UTF-8}
case "$LANG" in *UTF-8*|*utf8*) ;; *) export LANG=C.UTF-8 ;; esac
build=$(find_build_dir "$prog")
export WINEPREFIX=${KELO_WINEPREFIX:-$build/wine/prefix}

make_prefix() {
  local target=$1
  mkdir -p "$(dirname "$target")"
  WINEPREFIX=$target wineboot -i >/dev/null 2>&1
  WINEPREFIX=$target wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX=$target wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # No post-mortem debugger: a crash then ends the program at once with its exception code
  # (and a clean log), where the debugger sometimes let it end with code 0.
  WINEPREFIX=$target wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d kelo-no-debugger.exe /f >/dev/null 2>&1
  WINEPREFIX=$target wineserver -w
}

# Every prefix of the build is a copy of one template: making one takes seconds, copying
# it a fraction of one. Tests that need their own screen use a prefix of their own.
ensure_prefix() {
  local target=$1 template=$build/wine/template
  [ -f "$target/.kelo-ready-2" ] && return
  mkdir -p "$build/wine"
  exec 9>"$build/wine/.lock"
  flock 9
  if [ ! -f "$template/.kelo-ready-2" ]; then
    rm -rf "$template"
    make_prefix "$template"
    touch "$template/.kelo-ready-2"
  fi
  if [ ! -f "$target/.kelo-ready-2" ]; then
    rm -rf "$target"
    mkdir -p "$(dirname "$target")"
    cp -a "$template" "$target"
  fi
  flock -u 9
  exec 9>&-
}
ensure_prefix "$WINEPREFIX"

# A persistent server: each test program then starts in a fraction of a second.
wineserver -p60 >/dev/null 2>&1 </dev/null

out=$(mktemp); err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$prog" "$@" >"$out" 2>"$err" </dev/null &
pid=$!
tail -s 0.05 -n +1 -f --pid=$pid "$out" 2>/dev/null &
tailpid=$!
wait $pid
rc=$?
wait $tailpid 2>/dev/null
# Wine's own diagnostics are noise; the program's stderr is kept.
grep -v -E '^(wine: |err:|fixme:|warn:|[0-9a-f]{4}:(err|fixme|warn))|wine32 is missing|multiarch needs|dpkg --add-architecture|apt-get install wine32' "$err" >&2
exit $rc
