# Sourced by wine-run.sh and wine-slots.sh: Wine's environment for Kelo's programs and the
# build's prefixes, all copies of one template (making a prefix takes seconds, copying it a
# fraction of one).
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export LANG=${LANG:-C.UTF-8}
case "$LANG" in *UTF-8*|*utf8*) ;; *) export LANG=C.UTF-8 ;; esac

# The build folder holding a program: the nearest folder above it with a CMakeCache.txt.
find_build_dir() {
  local d
  d=$(cd "$(dirname "$1")" && pwd)
  while [ "$d" != "/" ]; do
    [ -f "$d/CMakeCache.txt" ] && { echo "$d"; return; }
    d=$(dirname "$d")
  done
  cd "$(dirname "$1")" && pwd
}

# A new prefix without install prompts, window manager, crash dialog or post-mortem
# debugger. Made without a display, so its server binds to none.
make_prefix() {
  local target=$1
  mkdir -p "$(dirname "$target")"
  (
    unset DISPLAY
    export WINEPREFIX=$target
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # No post-mortem debugger: a crash then ends the program at once with its exception
    # code (and a clean log), where the debugger sometimes let it end with code 0.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d kelo-no-debugger.exe /f >/dev/null 2>&1
    wineserver -w
  )
}

# Runs fn under the build's prefix lock, so two programs never make or copy a prefix at once.
with_prefix_lock() {
  local build=$1; shift
  mkdir -p "$build/wine"
  (
    flock 9
    "$@"
  ) 9>"$build/wine/.lock"
}

ensure_template() {
  local template=$1/wine/template
  if [ ! -f "$template/.kelo-ready-2" ]; then
    rm -rf "$template"
    make_prefix "$template"
    touch "$template/.kelo-ready-2"
  fi
}

# A copy of the template at target. Copied aside and renamed: the template's ready mark
# would otherwise show in target before the rest of it was copied, and a program checking
# for it (ensure_prefix checks without the lock) would start in half a prefix.
copy_template() {
  local build=$1 target=$2
  rm -rf "$target" "$target.copying"
  mkdir -p "$(dirname "$target")"
  cp -a "$build/wine/template" "$target.copying"
  mv "$target.copying" "$target"
}
ensure_prefix_unlocked() {
  ensure_template "$1"
  [ -f "$2/.kelo-ready-2" ] || copy_template "$1" "$2"
}
ensure_prefix() {
  [ -f "$2/.kelo-ready-2" ] || with_prefix_lock "$1" ensure_prefix_unlocked "$1" "$2"
}
