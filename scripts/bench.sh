#!/usr/bin/env bash
# Builds and runs the skin benchmark under Wine on a private Xvfb and prints
# its table (also saved to build/bench.txt). With --startup only the start-up
# and GDI rows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
source scripts/common.sh
source scripts/wine-env.sh build
source scripts/display.sh
step "bench: starting a private X display and Wine"
start_display new
trap stop_display EXIT
step "bench: running build/bench/skin_bench.exe (minutes)"
"$WINE64" build/bench/skin_bench.exe "$@" | tee build/bench.txt
