#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine, once as 64-bit
# Windows and once as 32-bit Windows. Exits non-zero when anything failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

status=0
# Two builds of the committed source, in two folders, give the same program.
if git -C "$root" rev-parse --verify -q HEAD >/dev/null; then
    echo "=== Reproducible build ==="
    "$root/scripts/reproduce.sh" || status=1
fi
for arch in win64 win32; do
    prefix="$root/build/wine-$arch"
    "$root/scripts/wine-prefix.sh" "$prefix" "$arch" headless
    export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all
    # A persistent server, started here rather than from inside ctest: its
    # children would otherwise hold ctest's output pipes open.
    wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
    wine wineboot </dev/null >/dev/null 2>&1 || true
    echo "=== Tests on $arch ==="
    (cd "$root/build" && ctest --output-on-failure -j 1) || status=1
    wineserver -k || true
done
exit $status
