#!/usr/bin/env bash
# Samples one benchmark under Wine with perf and prints where its own code spends the time,
# by function: bench/profile.sh bench_PageLayoutBench
# Wine maps the program at its image base, so perf's raw addresses are the symbols' own.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${1:?a benchmark target, e.g. bench_PageLayoutBench}
command -v perf >/dev/null || apt-get install -y linux-perf >/dev/null
cmake --preset default >/dev/null
cmake --build --preset default --target "$bench" >/dev/null
data=$(mktemp -d)/perf.data
WINEPREFIX="$PWD/build/wine/prefix" WINEDEBUG=-all xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  perf record -q -e cpu-clock -F 4000 -o "$data" -- wine "build/bench/$bench.exe"
python3 bench/profile.py "build/bench/$bench.exe" "$data"
