#!/usr/bin/env bash
# Builds and starts the tool under Wine. On $DISPLAY it stays open until the
# user closes it; without a display it runs on a private Xvfb. Either way a
# screenshot of its window is saved to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
source scripts/wine-env.sh build
source scripts/display.sh
start_display
trap stop_display EXIT
/usr/lib/wine/wine64 build/app/GodMode.exe &
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
  build/screenshot.png
echo "run: screenshot saved to build/screenshot.png"
if [ -n "$_xvfb_pid" ]; then
  kill "$tool" 2>/dev/null || true
else
  wait "$tool" || true
fi
