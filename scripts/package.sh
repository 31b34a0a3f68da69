#!/usr/bin/env bash
# Builds both trees and writes the release zips to dist/:
# GodMode-<version>-win64.zip and -win32.zip, each with a SHA-256 sum file
# beside it, after checking both executables' imports against Windows 7. The
# zips are reproducible: the same commit gives the same bytes, and so the same
# SHA-256, on every machine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh --i686
source scripts/common.sh
report_failures
step "package: checking the executables' imports (log: build/imports.log)"
quietly build/imports.log bash scripts/check-imports.sh build/app/GodMode.exe build-i686/app/GodMode.exe
rm -rf dist && mkdir -p dist
for dir in build build-i686; do
  step "package: writing the zip of $dir"
  quietly "$dir/zip.log" cmake --build "$dir" --target zip
  cp "$dir"/dist/*.zip dist/
done
cd dist
for zip in *.zip; do
  sha256sum "$zip" >"$zip.sha256"
  exe=$(cmake -E tar tvf "$zip" | awk '/GodMode.exe$/ {print $5}')
  step "package: dist/$zip ($(stat -c %s "$zip") bytes; GodMode.exe $exe bytes; SHA-256 $(cut -c1-16 "$zip.sha256")...)"
done
