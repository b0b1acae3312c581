#!/usr/bin/env bash
# Checks the program as it ships, without running it: a 32-bit x86 Windows
# program of at most 44 KiB that imports system libraries only, and whose
# header names Windows 7 (6.1) as its subsystem and operating system version.
# Usage: scripts/check-program.sh [PROGRAM]   (default build/quillet.exe)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/quillet.exe}
limit=45056
system=" kernel32.dll user32.dll advapi32.dll comdlg32.dll shell32.dll msvcrt.dll gdi32.dll comctl32.dll ntdll.dll "

headers=$(i686-w64-mingw32-objdump -p "$program" 2>/dev/null || true)
failed=0
if ! grep -q 'file format pei-i386' <<<"$headers"; then
    echo "$program is not a 32-bit x86 Windows program" >&2
    failed=1
fi
# The header's version fields, as "MAJOR.MINOR" (".": not found).
header_version() {
    local major minor
    major=$(sed -n "s/^Major$1Version[[:space:]]*//p" <<<"$headers")
    minor=$(sed -n "s/^Minor$1Version[[:space:]]*//p" <<<"$headers")
    echo "$major.$minor"
}
subsystem=$(header_version Subsystem)
os=$(header_version OSystem)
if [ "$subsystem" != 6.1 ] || [ "$os" != 6.1 ]; then
    echo "$program names subsystem version $subsystem and OS version $os, not 6.1 (Windows 7)" >&2
    failed=1
fi
size=$(stat -c %s "$program")
if [ "$size" -gt $limit ]; then
    echo "$program is $size bytes, more than $limit" >&2
    failed=1
fi
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
if [ -z "$imports" ]; then
    echo "$program lists no imported libraries" >&2
    failed=1
fi
for library in $imports; do
    if [[ $system != *" $library "* ]]; then
        echo "$program imports $library, which is not a system library" >&2
        failed=1
    fi
done
[ $failed -eq 0 ] || exit 1
echo "$(basename "$program"): 32-bit x86, Windows $subsystem subsystem and OS version," \
    "$size bytes (at most $limit), imports ${imports% }"
