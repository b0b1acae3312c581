#!/usr/bin/env bash
# Checks the program as it ships, without running it: a 32-bit x86 Windows
# program of at most 40 KiB that imports system libraries only.
# Usage: scripts/check-program.sh [PROGRAM]   (default build/quillet.exe)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/quillet.exe}
limit=40960
system=" kernel32.dll user32.dll advapi32.dll comdlg32.dll shell32.dll msvcrt.dll gdi32.dll comctl32.dll ntdll.dll "

headers=$(i686-w64-mingw32-objdump -p "$program" 2>/dev/null || true)
failed=0
if ! grep -q 'file format pei-i386' <<<"$headers"; then
    echo "$program is not a 32-bit x86 Windows program" >&2
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
echo "$(basename "$program"): 32-bit x86, $size bytes (at most $limit), imports ${imports% }"
