#!/usr/bin/env bash
# Builds the painter gallery, runs it under Wine on a private Xvfb and saves a
# screenshot of it as <build folder>/gallery.png.
# Usage: scripts/gallery.sh [-B dir]   (default build-gallery)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
dir=build-gallery
[ "${1:-}" = -B ] && dir=$2
[ -f "$dir/CMakeCache.txt" ] ||
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "$(nproc)" --target painter_gallery
source scripts/wine-env.sh "$dir"
source scripts/display.sh
start_display new
gallery_pid=
cleanup() {
  if [ -n "$gallery_pid" ]; then kill "$gallery_pid" 2>/dev/null || true; fi
  stop_display
}
trap cleanup EXIT
"$WINE64" "$dir/tests/draw/painter_gallery.exe" </dev/null >/dev/null 2>&1 &
gallery_pid=$!
sleep 6
import -display "$DISPLAY" -window root -crop 620x420+0+0 +repage "$dir/gallery.png"
echo "saved $dir/gallery.png"
