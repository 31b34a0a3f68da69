#!/usr/bin/env bash
# Developer loop without the package set-up: configure and build one build
# folder (default build-dev), then run the matching tests under Wine on a
# private Xvfb.  Usage: scripts/check.sh [-B dir] [-t target]... [ctest args]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
dir=build-dev
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    -B) dir=$2; shift 2 ;;
    -t) targets+=(--target "$2"); shift 2 ;;
    *) break ;;
  esac
done
[ -f "$dir/CMakeCache.txt" ] ||
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
source scripts/wine-env.sh "$dir"
source scripts/display.sh
trap stop_display EXIT  # set first: a failing start leaves no Xvfb behind
start_display new
cd "$dir"
ctest --output-on-failure --timeout 900 "$@"
