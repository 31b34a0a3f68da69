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
report_failures
# A prefix of its own, so that running the tool never disturbs the tests'.
source scripts/wine-env.sh build wine-prefix-run
shot=build/screenshot.png
[ "$_dpi" = 96 ] || shot=build/screenshot-${_dpi}dpi.png
source scripts/display.sh
had_display=${DISPLAY:-}
frames='HKCU\Software\Wine\X11 Driver'
tool=
# Set before the display starts, so that a failing start leaves no Xvfb behind.
cleanup() {
  [ -z "$tool" ] || [ -n "$had_display" ] || kill "$tool" 2>/dev/null || true
  # Wine-drawn frames suit only the private display; a later run on a real
  # desktop gets its window manager's frames again.
  [ ! -f "$WINEPREFIX/.ready" ] || "$WINE64" reg delete "$frames" /v Managed /f >/dev/null 2>&1 || true
  stop_display
}
trap cleanup EXIT
step "run: starting Wine on ${had_display:-a private X display}"
start_display
if [ -z "$had_display" ]; then
  # No window manager on the private display: let Wine draw the caption and
  # frame itself, so that the screenshot shows them.
  wine_logged "$WINEPREFIX.log" "$WINE64" reg add "$frames" /v Managed /t REG_SZ /d N /f ||
    fail "run: could not set Wine's frames for the private display (log: $WINEPREFIX.log)"
else
  "$WINE64" reg delete "$frames" /v Managed /f >/dev/null 2>&1 || true
fi
# Wine's own visual theme ("Light") draws a scroll bar at rest as a white
# track with hairline edges, which reads as no bar at all; without it Wine
# draws the standard bar that Windows shows, track, thumb and arrows.
wine_logged "$WINEPREFIX.log" "$WINE64" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
  /v ThemeActive /t REG_SZ /d 0 /f || fail "run: could not switch Wine's theme off (log: $WINEPREFIX.log)"
step "run: starting build/app/GodMode.exe (its output: build/run.log)"
"$WINE64" build/app/GodMode.exe >build/run.log 2>&1 &
tool=$!
win=
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --class godmode.exe 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || fail "run: the tool's window did not appear within 20 s (its output: build/run.log)"
sleep 1
geometry=$(xdotool getwindowgeometry --shell "$win" | awk -F= '
  /^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{printf "%dx%d+%d+%d", w, h, x, y}')
quietly build/screenshot.log import -window root -crop "$geometry" +repage "$shot"
step "run: screenshot saved to $shot"
if [ -n "$had_display" ]; then
  step "run: the tool is open; close its window to end"
  wait "$tool" || true
fi
