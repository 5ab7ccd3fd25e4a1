#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine in a virtual 1024x768 screen.
set -euo pipefail
cd "$(dirname "$0")/.."
benches=(bench_skin_paint bench_startup bench_PageLayoutBench bench_PageRepaintBench)
bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target "${benches[@]}"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  for bench in "$@"; do
    echo "== $bench"
    cmake/wine-run.sh "build/bench/$bench.exe"
  done
  WINEPREFIX="$PWD/build/wine/prefix" wineserver -k 2>/dev/null || true' run-benches "${benches[@]}"
