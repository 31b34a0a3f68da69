#!/usr/bin/env bash
# Builds and runs the skin benchmark under Wine on a private Xvfb and prints
# its table (also saved to <build>/bench.txt).
#
# The benchmark, Wine's server (with every Wine process it starts) and the X
# server all run pinned to one CPU with taskset: under Wine every window
# property, display DC or region is a request to the server, and when the
# scheduler puts the program and the server on different CPUs each request
# costs many times what it costs on one, so unpinned figures swing from run
# to run. A first, traced pass counts the server requests of each operation;
# the timed pass prints them beside the times.
#
# Usage: scripts/bench.sh [-B dir] [--cpu N] [--unpinned] [--startup]
#   -B dir      build only the benchmark's targets in dir (default: the set-up's build/)
#   --cpu N     the CPU to pin to (default: the last one)
#   --unpinned  then a second timed pass with nothing pinned, for information
#   --startup   the start-up rows alone, no request counts
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/common.sh

dir=
cpu=$(($(nproc) - 1))
unpinned=false
startup=false
while [ $# -gt 0 ]; do
  case "$1" in
    -B) dir=$2; shift 2 ;;
    --cpu) cpu=$2; shift 2 ;;
    --unpinned) unpinned=true; shift ;;
    --startup) startup=true; shift ;;
    *) echo "usage: scripts/bench.sh [-B dir] [--cpu N] [--unpinned] [--startup]" >&2; exit 2 ;;
  esac
done
if [ -z "$dir" ]; then
  bash scripts/setup.sh
  dir=build
else
  [ -f "$dir/CMakeCache.txt" ] ||
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
  step "bench: building the benchmark in $dir"
  cmake --build "$dir" -j "$(nproc)" --target skin_bench >/dev/null
fi
source scripts/wine-env.sh "$dir"
source scripts/display.sh  # ensure_prefix
out=$(cd "$dir" && pwd)
bench_exe="$out/bench/skin_bench.exe"
all_cpus=0-$(($(nproc) - 1))
pin=(taskset -c "$cpu")

# A private X display, wide enough for the skinned and the floor's windows side by side.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
"${pin[@]}" Xvfb ":$n" -screen 0 2560x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
server_pid=
finish() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -z "$server_pid" ] || wait "$server_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap finish EXIT
ensure_prefix
"$WINESERVER" -k >/dev/null 2>&1 || true  # a server of this prefix left running, unpinned
"$WINESERVER" -w 2>/dev/null || true

# start_server [pinned|unpinned] [trace file]: Wine's server in the foreground
# (so that its pid is known), then Wine's services, started by it.
start_server() {
  local how=$1 trace=${2:-} run=()
  [ "$how" = pinned ] && run=("${pin[@]}")
  if [ -n "$trace" ]; then
    "${run[@]}" "$WINESERVER" -f -p -d1 </dev/null >/dev/null 2>"$trace" &
  else
    "${run[@]}" "$WINESERVER" -f -p </dev/null >/dev/null 2>&1 &
  fi
  server_pid=$!
  sleep 0.5
  "${run[@]}" "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
}
stop_server() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  wait "$server_pid" 2>/dev/null || true
  server_pid=
}

describe() {
  echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) CPUs," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg); $("$WINE64" --version 2>/dev/null)"
  echo "Pinning: $1"
}

requests="$out/bench-requests.txt"
: >"$requests"
bench_args=()
if $startup; then
  bench_args=(--startup)
else
  # Counting pass: the server traces every request; each operation runs between
  # markers (a global atom named "skin-bench|B|<row>|<side>|<units>", then
  # "skin-bench|E|<row>|<side>"), and only the benchmark thread's own requests
  # between them are counted, per unit of the operation.
  step "bench: counting Wine server requests (traced pass)"
  trace="$out/bench-trace.log"
  start_server pinned "$trace"
  "${pin[@]}" "$WINE64" "$bench_exe" --count </dev/null >/dev/null
  stop_server
  awk '
    function thread(line) { return substr(line, 1, index(line, ":") - 1) }
    /^[0-9a-f]+: add_atom\(/ && index($0, "skin-bench|") {
      s = substr($0, index($0, "skin-bench|") + 11)
      s = substr(s, 1, index(s, "\"") - 1)
      split(s, f, "|")
      t = thread($0)
      key = f[2] "|" f[3]
      if (f[1] == "B") { units[key] += f[4]; open[t] = key; seen[t] = 0 }
      else if (open[t] == key) { total[key] += seen[t]; open[t] = "" }
      next
    }
    /^[0-9a-f]+: [a-z_]+\(/ {
      t = thread($0)
      if (open[t] != "" && $0 !~ /^[0-9a-f]+: [a-z_]+\(\) = /) seen[t]++
    }
    END { for (k in total) if (units[k] > 0) printf "%s %.2f\n", k, total[k] / units[k] }
  ' "$trace" | sort >"$requests"
  rm -f "$trace"
  bench_args=(--requests "Z:${requests//\//\\}")  # Wine's drive Z: is the root
fi

step "bench: timed pass, pinned to CPU $cpu (a few minutes)"
start_server pinned
{
  describe "skin_bench.exe, wineserver (and the Wine processes it starts) and Xvfb on CPU $cpu (taskset -c $cpu)"
  echo "Server pids: wineserver $server_pid (CPUs $(taskset -cp "$server_pid" | sed 's/.*: //')), Xvfb $xvfb_pid (CPUs $(taskset -cp "$xvfb_pid" | sed 's/.*: //'))"
  echo
  "${pin[@]}" "$WINE64" "$bench_exe" "${bench_args[@]}" </dev/null
} | tee "$out/bench.txt"
stop_server

if $unpinned; then
  step "bench: second timed pass, unpinned, for information"
  taskset -p -c "$all_cpus" "$xvfb_pid" >/dev/null
  start_server unpinned
  {
    echo
    describe "none (for information: the scheduler may put the program and the server on different CPUs)"
    echo
    "$WINE64" "$bench_exe" "${bench_args[@]}" </dev/null
  } | tee -a "$out/bench.txt"
  stop_server
fi
