#!/usr/bin/env bash
# Checks Windows executables against what Windows 7 offers: every DLL they
# import must be a Windows 7 system DLL, and every function they import must be
# one that Windows 7's DLL exports. packaging/win7-exports.txt lists those
# functions ("dll function", lower-case DLL names); a function joins it only
# once its documentation gives Windows 7 or earlier as the minimum client.
# Usage: scripts/check-imports.sh exe...
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
allowed=$root/packaging/win7-exports.txt
objdump=x86_64-w64-mingw32-objdump   # reads 32-bit and 64-bit images alike
status=0
for exe in "$@"; do
  [ -f "$exe" ] || { echo "check-imports: $exe: no such file" >&2; status=1; continue; }
  # "DLL Name: X" opens a DLL's list; its rows are "vma hint name".
  imports=$(LC_ALL=C "$objdump" -p "$exe" | awk '
    /^\tDLL Name: / { dll = tolower($3); print dll " -"; next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll " " $3 }
    /^$/ { dll = "" }')
  bad=0
  while read -r dll fn; do
    if ! grep -q "^$dll " "$allowed"; then
      echo "check-imports: $exe: $dll is not a Windows 7 system DLL" >&2; bad=1
    elif [ "$fn" != - ] && ! grep -qxF "$dll $fn" "$allowed"; then
      echo "check-imports: $exe: $dll!$fn is not among Windows 7's exports" >&2; bad=1
    fi
  done <<<"$imports"
  n=$(grep -vc ' -$' <<<"$imports" || true)
  if [ "$bad" = 0 ]; then echo "check-imports: $exe: $n imports, all in Windows 7"; else status=1; fi
done
exit "$status"
