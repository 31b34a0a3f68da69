#!/usr/bin/env bash
# Both executables import only what Windows 7 has, and not user32's
# TrackMouseEvent, which the skin looks up at run time so that the program still
# starts where it is missing; an executable that imports a Windows 8 function
# is refused, by name.
# Usage: import_test.sh GodMode64.exe GodMode32.exe probe.exe
set -euo pipefail
check=$(dirname "${BASH_SOURCE[0]}")/../../scripts/check-imports.sh
bash "$check" "$1" "$2"
for exe in "$1" "$2"; do
  if LC_ALL=C x86_64-w64-mingw32-objdump -p "$exe" | grep -qE '^\s+[0-9a-f]+\s+[0-9]+\s+TrackMouseEvent$'; then
    echo "import_test: $exe imports TrackMouseEvent at load time" >&2; exit 1
  fi
done
if out=$(bash "$check" "$3" 2>&1); then
  echo "import_test: the Windows 8 import passed the check" >&2; exit 1
fi
grep -q 'kernel32.dll!GetSystemTimePreciseAsFileTime is not among' <<<"$out" ||
  { echo "import_test: unexpected refusal: $out" >&2; exit 1; }
echo "import_test: the Windows 8 import is refused"
