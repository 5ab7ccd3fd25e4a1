#!/usr/bin/env bash
# The test run's Wine slots: each an X screen and a Wine prefix of its own, so that tests
# showing windows or driving the pointer run side by side without seeing each other
# (a prefix keeps to the screen its server started on: one prefix per screen).
#   wine-slots.sh up BUILD COUNT WARMUP.exe   make COUNT slots, all warmed, before the first test
#   wine-slots.sh down BUILD                   end their servers and screens
# cmake/wine-run.sh takes a free slot for each program when KELO_WINE_SLOTS names
# BUILD/wine/slots. A slot is BUILD/wine/slots/N: prefix/, display, xvfb.pid, lock.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
action=$1 build=$(cd "$2" && pwd)
slots=$build/wine/slots

down() {
  rm -f "$slots/up"
  local d
  for d in "$slots"/[0-9]*; do
    [ -d "$d" ] || continue
    [ -d "$d/prefix" ] && WINEPREFIX=$d/prefix wineserver -k >/dev/null 2>&1
    if [ -f "$d/xvfb.pid" ]; then
      kill "$(cat "$d/xvfb.pid")" 2>/dev/null
      rm -f "$d/xvfb.pid"
    fi
  done
  # Programs listing their tests ran in the build's default prefix.
  [ -d "$build/wine/prefix" ] && WINEPREFIX=$build/wine/prefix wineserver -k >/dev/null 2>&1
  return 0
}

# Starts a 1024x768 screen on a free display number for slot folder $1.
start_screen() {
  local d=$1 fifo display=""
  fifo=$(mktemp -u); mkfifo "$fifo"
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
  echo $! >"$d/xvfb.pid"
  read -r -t 20 display <"$fifo"
  rm -f "$fifo"
  [ -n "$display" ] || { echo "slot $d: Xvfb did not start" >&2; return 1; }
  echo ":$display" >"$d/display"
}

# The font cache is built by the first program that uses fonts in a prefix: done once in
# the template, so every copy starts with it.
warm_template() {
  local warmup=$1 template=$build/wine/template
  ensure_template "$build"
  [ -f "$template/.kelo-warm" ] && return 0
  (
    unset DISPLAY
    export WINEPREFIX=$template
    wine "$warmup" </dev/null >"$template/.warmup.log" 2>&1 || { cat "$template/.warmup.log" >&2; exit 1; }
    wineserver -w
  ) || return 1
  touch "$template/.kelo-warm"
}

up() {
  local count=$1 warmup=$2 i d
  down
  with_prefix_lock "$build" warm_template "$warmup" || { echo "the template prefix could not be warmed" >&2; exit 1; }
  for ((i = 0; i < count; i++)); do
    d=$slots/$i
    mkdir -p "$d"
    start_screen "$d" || exit 1
    # A fresh copy each run: nothing a former run left in a prefix reaches this one.
    copy_template "$build" "$d/prefix"
  done
  # Each slot's server and desktop started, on its screen, by one warm-up run.
  local pids=() pid rc=0
  for ((i = 0; i < count; i++)); do
    d=$slots/$i
    DISPLAY=$(cat "$d/display") KELO_WINEPREFIX=$d/prefix "$here/wine-run.sh" "$warmup" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || rc=1; done
  [ $rc -eq 0 ] || { echo "a slot could not be warmed" >&2; down; exit 1; }
  touch "$slots/up"
  echo "$count Wine slots up"
}

case "$action" in
  up) up "$3" "$4" ;;
  down) down ;;
  *) echo "usage: wine-slots.sh up BUILD COUNT WARMUP.exe | down BUILD" >&2; exit 2 ;;
esac
