#!/usr/bin/env bash
# Builds the executable and the release zip a second time, in another folder
# (so at another time and path), and compares both with the build's own: they
# must be byte for byte the same. The second build reuses the first one's
# compiler launcher (ccache, say), so that it costs little more than the links.
# Usage: reproducible_test.sh build-dir zip-name
set -euo pipefail
build=$(cd "$1" && pwd) name=$2
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$build/reproducible-test
fail() { echo "reproducible_test: $*" >&2; exit 1; }
quiet() { "$@" >"$work/step.log" 2>&1 || { tail -n 40 "$work/step.log" >&2; fail "failed: $*"; }; }
rm -rf "$work" && mkdir -p "$work"

cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
quiet cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$(cache CMAKE_TOOLCHAIN_FILE)" \
  -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" -DCMAKE_CXX_COMPILER_LAUNCHER="$(cache CMAKE_CXX_COMPILER_LAUNCHER)" \
  -DBUILD_TESTING=OFF
quiet cmake --build "$work/build" -j "$(nproc)" --target zip
quiet cmake --build "$build" --target zip
for file in app/GodMode.exe "dist/$name.zip"; do
  [ -f "$work/build/$file" ] || fail "the second build wrote no $file"
  cmp -s "$build/$file" "$work/build/$file" ||
    fail "$file differs between the two builds; first differing bytes (offset, octal):
$(cmp -l "$build/$file" "$work/build/$file" | head -n 8)"
done
echo "reproducible_test: GodMode.exe and $name.zip are the same from both builds ($(sha256sum <"$build/dist/$name.zip" | cut -c1-16)...)"
rm -rf "$work"
