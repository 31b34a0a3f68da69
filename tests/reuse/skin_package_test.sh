#!/usr/bin/env bash
# Uses the skin as another project would, by the README's "Reusing the skin"
# section as written (its blocks marked "reuse-test") in a home of its own, then
# builds the example program against the installed package and runs it.
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

# Wine in the build's prefix; the README's two files in ~/myprogram, its commands in run.sh and start.sh.
source "$src/scripts/wine-env.sh" "$build"
ensure_prefix
export HOME=$work/home && mkdir -p "$work/home/myprogram"
awk -v dir="$HOME/myprogram" -v out="$work" '
  /^<!-- reuse-test: .* -->$/ { to = $3 == "file" ? dir "/" $4 : out "/" $3 ".sh" }
  /^```/ && to != "" { if (on) { close(to); to = "" } on = !on; next }
  on { print >> to }' "$src/README.md"
[ -s "$HOME/myprogram/CMakeLists.txt" ] && [ -s "$HOME/myprogram/main.cpp" ] && [ -s "$work/run.sh" ] &&
  [ -s "$work/start.sh" ] || fail "README.md lacks a marked block (CMakeLists.txt, main.cpp, run or start)"
(cd "$src" && quiet bash -euxo pipefail "$work/run.sh")
installed=$(cd "$HOME/skin-prefix" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
[ "$installed" = "./include/skin/skin.h ./lib/cmake/skin/skinConfig.cmake ./lib/cmake/skin/skinConfigVersion.cmake ./lib/cmake/skin/skinTargets-release.cmake ./lib/cmake/skin/skinTargets.cmake ./lib/libskin.a " ] ||
  fail "unexpected installed files: $installed"
for exe in build/myprogram.exe build-sources/myprogram.exe; do
  [ -f "$HOME/myprogram/$exe" ] && ! LC_ALL=C x86_64-w64-mingw32-objdump -p "$HOME/myprogram/$exe" |
    grep -qiE 'DLL Name: lib(stdc|gcc|winpthread)' || fail "no $exe from the README's commands, or it needs mingw's DLLs"
done
# A toolchain that finds packages only under its target root finds the skin by -Dskin_DIR.
quiet cmake -S "$HOME/myprogram" -B "$work/root-only" "$toolchain" -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY \
  -Dskin_DIR="$HOME/skin-prefix/lib/cmake/skin"
# The start line as written: its window appears and closes on WM_CLOSE (taskkill), with exit code 0.
(cd "$HOME/myprogram" && exec bash "$work/start.sh") </dev/null >"$work/start.log" 2>&1 &
program=$! && trap 'kill $program 2>/dev/null || true' EXIT
timeout 30 xdotool search --sync --onlyvisible --name '^my program$' >/dev/null ||
  fail "the README's program showed no window: $(cat "$work/start.log")"
"$WINE64" taskkill /im myprogram.exe >/dev/null 2>&1 || fail "taskkill could not close the README's program"
wait "$program" || fail "the README's program ended with $?"
trap - EXIT
echo "skin_package_test: the README's program built both ways, showed its window and closed"

quiet cmake -S "$src/examples/skin_demo" -B "$work/demo" "$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -Dskin_DIR="$HOME/skin-prefix/lib/cmake/skin"
quiet cmake --build "$work/demo"
SKIN_BUILD_DIR=$build "$src/scripts/wine-run" "$work/demo/skin_demo.exe" /smoke ||
  fail "the example did not attach and detach the skin"
echo "skin_package_test: the example attached the skin, showed its message box and detached the skin"
