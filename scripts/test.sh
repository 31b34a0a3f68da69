#!/usr/bin/env bash
# The whole test suite: set-up, both builds, then every test under Wine in one
# private Xvfb with one wineserver. Extra arguments go to ctest. CTest's lines
# are printed time-stamped like every other line (and kept in build/test.log).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh --i686
source scripts/common.sh
report_failures
source scripts/wine-env.sh build
source scripts/display.sh
step "test: starting a private X display and Wine"
trap stop_display EXIT  # set first: a failing start leaves no Xvfb behind
start_display new
step "test: running the tests"
cd build
ctest --output-on-failure --timeout 900 "$@" 2>&1 | tee test.log | stamp ||
  fail "test: tests failed (their output above, and in build/test.log)"
