#!/usr/bin/env bash
# Builds the skin's example program (examples/skin_demo, with the skin's
# sources), runs it under Wine on a private Xvfb with its message box up and
# saves a screenshot as <build folder>/skin-demo.png; with SKIN_WINE_DPI=192
# (or another DPI) on a display of that DPI, as skin-demo-192dpi.png.
# Usage: scripts/example.sh [-B dir]   (default build-example)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/common.sh
report_failures
dir=build-example
[ "${1:-}" = -B ] && dir=$2
mkdir -p "$dir"
step "example: building $dir"
quietly "$dir/build.log" sh -c "cmake -S examples/skin_demo -B '$dir' -DCMAKE_TOOLCHAIN_FILE='$root/cmake/toolchain-x86_64.cmake' \
  -DCMAKE_BUILD_TYPE=Release -DSKIN_SOURCE_DIR='$root/skin' && cmake --build '$dir' -j $(nproc)"
source scripts/wine-env.sh "$dir"
shot=$dir/skin-demo.png
[ "$_dpi" = 96 ] || shot=$dir/skin-demo-${_dpi}dpi.png
source scripts/display.sh
demo=
cleanup() {
  [ -z "$demo" ] || kill "$demo" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
# A screen wide enough that the message box, centred on it, clears the
# window at every DPI: each is cut out of the screen on its own.
export SKIN_XVFB_SCREEN=2560x1600x24
step "example: starting Wine on a private X display"
start_display new
# No window manager here: Wine draws the frames, so that the picture shows them.
wine_logged "$WINEPREFIX.log" "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f ||
  fail "example: could not set Wine's frames for the private display (log: $WINEPREFIX.log)"
"$WINE64" "$dir/skin_demo.exe" /message </dev/null >"$dir/run.log" 2>&1 &
demo=$!
sleep 6
# The window and its message box side by side, each cut out of the screen.
shots=()
for win in $(xdotool search --onlyvisible --name '^skin demo$'); do
  shots+=("$dir/window-$win.png")
  geometry=$(xdotool getwindowgeometry --shell "$win" | awk -F= '
    /^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{printf "%dx%d+%d+%d", w, h, x, y}')
  quietly "$dir/screenshot.log" import -window root -crop "$geometry" +repage "${shots[-1]}"
done
[ ${#shots[@]} = 2 ] || fail "example: expected the window and its message box, found ${#shots[@]} windows (its output: $dir/run.log)"
quietly "$dir/screenshot.log" convert "${shots[0]}" -background white -gravity east -splice 12x0 "${shots[1]}" -gravity north +append "$shot"
rm -f "${shots[@]}"
step "example: saved $shot"
