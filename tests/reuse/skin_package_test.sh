#!/usr/bin/env bash
# Uses the skin as another project would, by the README's "Reusing the skin"
# section itself: takes its blocks out of README.md (the files marked
# "reuse-test: file NAME", the commands marked "run" and "start"), runs the
# commands from the repository's folder with a home folder of the test's own,
# checks what was installed, starts the program and closes it again. Then the
# example program is built against the installed package and run.
# Usage: skin_package_test.sh build-dir
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$build/skin-package-test
rm -rf "$work"
fail() { echo "skin_package_test: $*" >&2; exit 1; }
quiet() { "$@" >"$work/step.log" 2>&1 || { tail -n 60 "$work/step.log" >&2; fail "failed: $*"; }; }
mkdir -p "$work/readme" "$work/home/myprogram"

# The marked fenced blocks: files, then the commands in their order.
awk -v out="$work/readme" '
  /^<!-- reuse-test: .* -->$/ { split($0, w, " "); kind = w[3]; name = w[4]; next }
  /^```/ && kind != "" && !inside { inside = 1; n++
    target = kind == "file" ? out "/file-" name : out "/" kind ".sh"; next }
  /^```$/ && inside { inside = 0; kind = ""; close(target); next }
  inside { print >> target }
' "$src/README.md"
for file in CMakeLists.txt main.cpp; do
  [ -s "$work/readme/file-$file" ] || fail "README.md shows no $file for the program"
  cp "$work/readme/file-$file" "$work/home/myprogram/$file"
done
[ -s "$work/readme/run.sh" ] && [ -s "$work/readme/start.sh" ] || fail "README.md has no commands to run"

# Wine in the build's prefix; the README's commands in a home of their own.
source "$src/scripts/wine-env.sh" "$build"
ensure_prefix
export HOME=$work/home
(cd "$src" && quiet bash -euxo pipefail "$work/readme/run.sh")
installed=$(cd "$HOME/skin-prefix" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
[ "$installed" = "./include/skin/skin.h ./lib/cmake/skin/skinConfig.cmake ./lib/cmake/skin/skinConfigVersion.cmake ./lib/cmake/skin/skinTargets-release.cmake ./lib/cmake/skin/skinTargets.cmake ./lib/libskin.a " ] ||
  fail "unexpected installed files: $installed"
for exe in build/myprogram.exe build-sources/myprogram.exe; do
  [ -f "$HOME/myprogram/$exe" ] || fail "the README's commands built no $exe"
  ! LC_ALL=C x86_64-w64-mingw32-objdump -p "$HOME/myprogram/$exe" | grep -qiE 'DLL Name: lib(stdc|gcc|winpthread)' ||
    fail "$exe needs mingw's runtime DLLs"
done
echo "skin_package_test: the README's program built with find_package(skin) and with add_subdirectory"

# The same package is found by a toolchain that looks for packages only
# under its target root, as the README says.
printf 'include("%s")\nset(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)\n' "$src/cmake/toolchain-x86_64.cmake" \
  >"$work/toolchain-root-only.cmake"
quiet cmake -S "$HOME/myprogram" -B "$work/root-only" -DCMAKE_TOOLCHAIN_FILE="$work/toolchain-root-only.cmake" \
  -Dskin_DIR="$HOME/skin-prefix/lib/cmake/skin"

# The start command as written; its window must appear and close on WM_CLOSE.
(cd "$HOME/myprogram" && exec bash "$work/readme/start.sh") </dev/null >"$work/start.log" 2>&1 &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT
win=
for _ in $(seq 150); do
  win=$(xdotool search --onlyvisible --name '^my program$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || fail "the README's program showed no window: $(cat "$work/start.log")"
"$WINE64" taskkill /im myprogram.exe >/dev/null 2>&1 || fail "taskkill could not close the README's program"
wait "$program" || fail "the README's program ended with $?"
trap - EXIT
echo "skin_package_test: the README's program showed its window and closed"

quiet cmake -S "$src/examples/skin_demo" -B "$work/demo" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -Dskin_DIR="$HOME/skin-prefix/lib/cmake/skin"
quiet cmake --build "$work/demo"
SKIN_BUILD_DIR=$build "$src/scripts/wine-run" "$work/demo/skin_demo.exe" /smoke ||
  fail "the example did not attach and detach the skin"
echo "skin_package_test: the example attached the skin, showed its message box and detached the skin"
