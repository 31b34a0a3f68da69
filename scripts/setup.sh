#!/usr/bin/env bash
# Installs what building and running the tool needs on a Debian machine
# (run as root), generates the zh_CN.UTF-8 and en_US.UTF-8 locales, and
# configures and builds the 64-bit tree in build/ (and, with --i686, the
# 32-bit tree in build-i686/).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

packages=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth locales
          fonts-wqy-microhei googletest cmake make imagemagick x11-utils xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# zh_CN for the program's own code page (936), en_US for another one (1252).
for loc in zh_CN en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8\$"; then
    echo "setup: generating $loc.UTF-8"
    sed -i "s/^# *$loc.UTF-8 UTF-8/$loc.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
    locale-gen >/dev/null
  fi
done

jobs=$(nproc)
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
if [ "${1:-}" = --i686 ]; then
  cmake -S . -B build-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build build-i686 -j "$jobs"
fi
