#!/usr/bin/env bash
# Installs what building and running the tool needs on a Debian machine
# (through sudo when not run as root), generates the zh_CN.UTF-8 and
# en_US.UTF-8 locales, and configures and builds the 64-bit tree in build/
# (and, with --i686, the 32-bit tree in build-i686/). Building never needs root.
# Each step prints one line; its output goes to a log in build/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/common.sh
report_failures
# The logs' folder first: one that another user made is taken over.
claim_tree build
mkdir -p build

packages=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 wine wine64 xvfb xauth
          locales fonts-wqy-microhei googletest cmake make python3 imagemagick x11-utils xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  step "setup: installing ${missing[*]} (minutes on a fresh machine; log: build/packages.log)"
  as_root build/packages.log "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ${missing[*]}"
fi

# zh_CN for the program's own code page (936), en_US for another one (1252).
for loc in zh_CN en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8\$"; then
    step "setup: generating the $loc.UTF-8 locale (log: build/locales.log)"
    # One line, so that it can be printed for root to copy.
    as_root build/locales.log "sed -i 's/^# *$loc.UTF-8 UTF-8/$loc.UTF-8 UTF-8/' /etc/locale.gen && { grep -q '^$loc.UTF-8 UTF-8' /etc/locale.gen || echo '$loc.UTF-8 UTF-8' >> /etc/locale.gen; } && locale-gen"
  fi
done

# build_tree dir toolchain [cmake options]
build_tree() {
  local dir=$1 toolchain=$2; shift 2
  claim_tree "$dir"
  mkdir -p "$dir"
  step "setup: configuring $dir"
  quietly "$dir/configure.log" cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=Release "$@"
  step "setup: building $dir"
  quietly "$dir/build.log" cmake --build "$dir" -j "$(nproc)"
}
build_tree build toolchain-x86_64.cmake
[ "${1:-}" != --i686 ] || build_tree build-i686 toolchain-i686.cmake -DBUILD_TESTING=OFF
