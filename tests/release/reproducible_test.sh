#!/usr/bin/env bash
# Builds the executable and the release zip once more in another folder (another
# path and time, the first build's compiler launcher): both must be byte for byte
# the build's own. Usage: reproducible_test.sh build-dir zip-name
set -euo pipefail
build=$(cd "$1" && pwd) name=$2 src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$src/scripts/common.sh"
work=$build/reproducible-test && rm -rf "$work"
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
quietly "$work/configure.log" cmake -S "$src" -B "$work/build" -DBUILD_TESTING=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$(cache CMAKE_TOOLCHAIN_FILE)" -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" \
  -DCMAKE_CXX_COMPILER_LAUNCHER="$(cache CMAKE_CXX_COMPILER_LAUNCHER)"
quietly "$work/build.log" cmake --build "$work/build" -j "$(nproc)" --target zip
quietly "$work/zip.log" cmake --build "$build" --target zip
for file in app/GodMode.exe "dist/$name.zip"; do
  cmp "$build/$file" "$work/build/$file" || fail "reproducible_test: $file differs between the two builds"
done
echo "reproducible_test: both builds gave the same GodMode.exe and $name.zip"
rm -rf "$work"
