#!/usr/bin/env bash
# Packs the release zip of the build, checks what is inside (ASCII names, the
# stripped executable with its version record, the read-me in UTF-8 with a
# byte-order mark and Windows line ends), then unpacks it into a clean Wine
# prefix and starts the executable there: its window must appear.
# Usage: zip_test.sh build-dir package-name version-major version-minor
set -euo pipefail
build=$(cd "$1" && pwd) name=$2 major=$3 minor=$4
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
work=$build/release-test
rm -rf "$work" && mkdir -p "$work/unpacked"
fail() { echo "zip_test: $*" >&2; exit 1; }

zip=$build/dist/$name.zip
cmake --build "$build" --target zip >"$work/zip.log" 2>&1 && [ -f "$zip" ] ||
  { cat "$work/zip.log" >&2; fail "the zip target wrote no dist/$name.zip"; }
names=$(cmake -E tar tf "$zip" | sort)
[ "$names" = "$name/GodMode.exe"$'\n'"$name/ReadMe.txt" ] || fail "unexpected contents: $names"
! LC_ALL=C grep -q '[^ -~]' <<<"$names" || fail "non-ASCII file names: $names"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
exe=$work/unpacked/$name/GodMode.exe readme=$work/unpacked/$name/ReadMe.txt

grep -q 'no symbols' <<<"$(LC_ALL=C x86_64-w64-mingw32-objdump -t "$exe")" || fail "GodMode.exe keeps its symbols"
# VS_FIXEDFILEINFO: signature, structure version 1.0, file version major.minor.0.0.
sig=$(printf '\\xbd\\x04\\xef\\xfe\\x00\\x00\\x01\\x00\\x%02x\\x00\\x%02x\\x00\\x00\\x00\\x00\\x00' "$minor" "$major")
LC_ALL=C grep -qaP "$sig" "$exe" || fail "GodMode.exe has no version record $major.$minor"

[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "ReadMe.txt has no UTF-8 byte-order mark"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "ReadMe.txt is not UTF-8"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "ReadMe.txt has lines without CR LF"
# Which Windows and zip, removing the folders, SmartScreen, the SHA-256, the tool's forum, UAC.
forum=$(sed -n 's/.*kForumAddress\[\] = L"\(.*\)";.*/\1/p' "$scripts/../app/form1.h")
[ -n "$forum" ] || fail "no forum address in app/form1.h"
for text in 管理员 administrator GodMode.exe "$name.zip" "Windows 7, 8, 8.1, 10 and 11" "rd \"%SystemRoot%" \
            SmartScreen certutil SHA-256 "$forum" UAC; do
  grep -qF "$text" "$readme" || fail "ReadMe.txt does not mention $text"
done
! grep -q @ "$readme" || fail "ReadMe.txt keeps a placeholder: $(grep @ "$readme")"

# A clean prefix of the test's own, on the display the suite runs on.
source "$scripts/wine-env.sh" "$work"
ensure_prefix
"$WINE64" "$exe" </dev/null >/dev/null 2>&1 &
tool=$!
trap 'kill $tool 2>/dev/null || true; stop_wine_services' EXIT
win=
for _ in $(seq 150); do
  win=$(xdotool search --onlyvisible --class godmode.exe 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || fail "the unpacked GodMode.exe showed no window"
title=$(xdotool getwindowname "$win")
[[ $title == *上帝模式* ]] || fail "unexpected window title: $title"
echo "zip_test: $name.zip unpacked and started in a clean prefix: window \"$title\""
