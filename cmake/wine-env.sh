# Sourced by wine-run.sh and wine-slots.sh: Wine's environment for Kelo's programs and the
# build's prefixes, all copies of one template (making a prefix takes seconds, copying it a
# fraction of one).
# Only the error class: a program that dies before its first line then leaves Wine's own
# account of why (wine-run.sh shows it when the program fails, and drops it otherwise).
export WINEDEBUG=${WINEDEBUG:--all,err+all}
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
    # Windows' three core faces drawn with Debian's metric-compatible Liberation fonts
    # (tools/setup.sh installs them): text then measures as on Windows, and as in browsers
    # on Linux, whose fontconfig makes the same choice. Without these names Wine falls back
    # to one sans-serif face for all three.
    local face
    for face in "Times New Roman=Liberation Serif" "Arial=Liberation Sans" "Courier New=Liberation Mono"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
    done
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

# The mark of a ready prefix, holding the Wine version it was made with. Its name changes
# whenever make_prefix does, so that the prefixes of an older build folder are made again.
prefix_mark=.kelo-ready-3

# The template is made again after a Wine upgrade: its copies share its DLLs, which Wine
# would otherwise update in place in one of them.
ensure_template() {
  local template=$1/wine/template version
  version=$(wine --version 2>/dev/null)
  if [ "$(cat "$template/$prefix_mark" 2>/dev/null)" != "$version" ]; then
    rm -rf "$template"
    make_prefix "$template"
    echo "$version" >"$template/$prefix_mark"
  fi
}

# A copy of the template at target. Copied aside and renamed: the template's ready mark
# would otherwise show in target before the rest of it was copied, and a program checking
# for it (ensure_prefix checks without the lock) would start in half a prefix.
# Wine's DLLs (nine tenths of a prefix, only ever read) are hard links to the template's,
# so a copy takes a fraction of a second; the registry and the rest are real copies.
copy_template() {
  local target=$2 tpl=$1/wine/template tmp=$2.copying
  rm -rf "$target" "$tmp"
  mkdir -p "$tmp/drive_c/windows"
  copy_entries "$tpl" "$tmp" drive_c
  copy_entries "$tpl/drive_c" "$tmp/drive_c" windows
  copy_entries "$tpl/drive_c/windows" "$tmp/drive_c/windows"
  cp -al "$tpl/drive_c/windows/system32" "$tpl/drive_c/windows/winsxs" "$tmp/drive_c/windows/"
  mv "$tmp" "$target"
}
# Copies the entries of folder $1 into $2, but for $3 and Wine's DLL folders.
copy_entries() {
  local from=$1 to=$2 skip=${3:-} e name
  for e in "$from"/* "$from"/.[!.]*; do
    [ -e "$e" ] || [ -L "$e" ] || continue
    name=${e##*/}
    case "$name" in "$skip"|system32|winsxs) continue ;; esac
    cp -a "$e" "$to/"
  done
}
ensure_prefix_unlocked() {
  ensure_template "$1"
  [ -f "$2/$prefix_mark" ] || copy_template "$1" "$2"
}
ensure_prefix() {
  [ -f "$2/$prefix_mark" ] || with_prefix_lock "$1" ensure_prefix_unlocked "$1" "$2"
}
