#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine in a virtual 1024x768 screen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target bench_skin_paint bench_startup
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  for bench in bench_skin_paint bench_startup; do
    echo "== $bench"
    cmake/wine-run.sh "build/bench/$bench.exe"
  done
  WINEPREFIX="$PWD/build/wine/prefix" wineserver -k 2>/dev/null || true'
