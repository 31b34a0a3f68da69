#!/usr/bin/env bash
# Builds and runs the skin benchmark under Wine on a private Xvfb and prints
# its table (also saved to build/bench.txt).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
source scripts/wine-env.sh build
source scripts/display.sh
start_display new
trap stop_display EXIT
/usr/lib/wine/wine64 build/bench/skin_bench.exe | tee build/bench.txt
