#!/usr/bin/env bash
# Both executables import only what Windows 7 has; an executable that imports
# a Windows 8 function is refused, by name.
# Usage: import_test.sh GodMode64.exe GodMode32.exe probe.exe
set -euo pipefail
check=$(dirname "${BASH_SOURCE[0]}")/../../scripts/check-imports.sh
bash "$check" "$1" "$2"
if out=$(bash "$check" "$3" 2>&1); then
  echo "import_test: the Windows 8 import passed the check" >&2; exit 1
fi
grep -q 'kernel32.dll!GetSystemTimePreciseAsFileTime is not among' <<<"$out" ||
  { echo "import_test: unexpected refusal: $out" >&2; exit 1; }
echo "import_test: the Windows 8 import is refused"
