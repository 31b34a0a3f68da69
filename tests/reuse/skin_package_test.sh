#!/usr/bin/env bash
# Uses the skin as another project would: builds it on its own, installs it,
# builds the example program against the installed package (find_package) and
# once more with the skin's sources (add_subdirectory), and runs the first.
# Usage: skin_package_test.sh build-dir
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$build/skin-package-test
toolchain=-DCMAKE_TOOLCHAIN_FILE=$src/cmake/toolchain-x86_64.cmake
rm -rf "$work"
fail() { echo "skin_package_test: $*" >&2; exit 1; }
quiet() { "$@" >"$work/step.log" 2>&1 || { cat "$work/step.log" >&2; fail "failed: $*"; }; }
mkdir -p "$work"

quiet cmake -S "$src/skin" -B "$work/skin" "$toolchain" -DCMAKE_BUILD_TYPE=Release
quiet cmake --build "$work/skin" -j "$(nproc)"
quiet cmake --install "$work/skin" --prefix "$work/prefix"
installed=$(cd "$work/prefix" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
[ "$installed" = "./include/skin/skin.h ./lib/cmake/skin/skinConfig.cmake ./lib/cmake/skin/skinConfigVersion.cmake ./lib/cmake/skin/skinTargets-release.cmake ./lib/cmake/skin/skinTargets.cmake ./lib/libskin.a " ] ||
  fail "unexpected installed files: $installed"

quiet cmake -S "$src/examples/skin_demo" -B "$work/demo" "$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$work/prefix"
quiet cmake --build "$work/demo"
echo "skin_package_test: example built with find_package(skin) from $work/prefix"
quiet cmake -S "$src/examples/skin_demo" -B "$work/demo-sub" "$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DSKIN_SOURCE_DIR="$src/skin"
quiet cmake --build "$work/demo-sub" -j "$(nproc)"
echo "skin_package_test: example built with add_subdirectory(skin)"

SKIN_BUILD_DIR=$build "$src/scripts/wine-run" "$work/demo/skin_demo.exe" /smoke ||
  fail "the example did not attach and detach the skin"
echo "skin_package_test: the example attached the skin, showed its message box and detached the skin"
