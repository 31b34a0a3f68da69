#!/usr/bin/env bash
# Builds and starts the tool under Wine. On $DISPLAY it stays open until the
# user closes it; without a display it runs on a private Xvfb. Either way a
# screenshot of its window is saved to build/screenshot.png. SKIN_WINE_DPI=192
# (or another DPI) runs it on a display of that DPI, in a prefix of its own,
# and saves build/screenshot-192dpi.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
source scripts/common.sh
# A prefix of its own, so that running the tool never disturbs the tests'.
source scripts/wine-env.sh build wine-prefix-run
shot=build/screenshot.png
[ "$_dpi" = 96 ] || shot=build/screenshot-${_dpi}dpi.png
source scripts/display.sh
had_display=${DISPLAY:-}
step "run: starting Wine on ${had_display:-a private X display}"
start_display
frames='HKCU\Software\Wine\X11 Driver'
tool=
cleanup() {
  [ -z "$tool" ] || [ -n "$had_display" ] || kill "$tool" 2>/dev/null || true
  # Wine-drawn frames suit only the private display; a later run on a real
  # desktop gets its window manager's frames again.
  "$WINE64" reg delete "$frames" /v Managed /f >/dev/null 2>&1 || true
  stop_display
}
trap cleanup EXIT
if [ -z "$had_display" ]; then
  # No window manager on the private display: let Wine draw the caption and
  # frame itself, so that the screenshot shows them.
  "$WINE64" reg add "$frames" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
else
  "$WINE64" reg delete "$frames" /v Managed /f >/dev/null 2>&1 || true
fi
step "run: starting build/app/GodMode.exe"
"$WINE64" build/app/GodMode.exe &
tool=$!
win=
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --class godmode.exe 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
if [ -z "$win" ]; then echo "run: the tool's window did not appear" >&2; exit 1; fi
sleep 1
import -window root -crop "$(xdotool getwindowgeometry --shell "$win" | awk -F= '
  /^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{printf "%dx%d+%d+%d", w, h, x, y}')" \
  +repage "$shot"
step "run: screenshot saved to $shot"
if [ -n "$had_display" ]; then
  step "run: the tool is open; close its window to end"
  wait "$tool" || true
fi
