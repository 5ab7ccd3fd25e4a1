#!/usr/bin/env bash
# Measures the reference pages of the built-in page view's layout test in a real browser
# (Debian's headless Chromium, no network) and writes beside each page.html its page.boxes:
# where each coloured box lands. Installs Chromium first when it is missing.
#   bash tools/reference-boxes.sh [page.html ...]   (all of tests/pageengine/reference/ when none is given)
set -euo pipefail
cd "$(dirname "$0")/.."
need=()
[ -x /usr/bin/chromium ] || need+=(chromium)
command -v python3 >/dev/null || need+=(python3)
dpkg-query -W -f='${Status}' fonts-liberation 2>/dev/null | grep -q "install ok installed" || need+=(fonts-liberation)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >/dev/null
  apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null
fi
if [ $# -eq 0 ]; then
  set -- tests/pageengine/reference/*.html
fi
exec python3 tools/reference_boxes.py "$@"
