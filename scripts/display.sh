# Sourced: start_display starts a private Xvfb when $DISPLAY is empty (or when
# forced with "new") and one persistent wineserver for the build's prefix;
# stop_display ends what start_display started (and the wineservers of the
# build's other prefixes).
_xvfb_pid=
start_display() {
  if [ -z "${DISPLAY:-}" ] || [ "${1:-}" = new ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    local log=$_build/xvfb.log
    Xvfb ":$n" -screen 0 "${SKIN_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >"$log" 2>&1 &
    _xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$_xvfb_pid" 2>/dev/null ||
      fail "display: Xvfb did not start on :$n (log: $log): $(tail -n 3 "$log" | tr '\n' ' ')"
  fi
  ensure_prefix
  start_wine_services
}
stop_display() {
  stop_wine_services
  if [ -n "$_xvfb_pid" ]; then kill "$_xvfb_pid" 2>/dev/null || true; wait "$_xvfb_pid" 2>/dev/null || true; fi
}
