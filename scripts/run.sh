#!/usr/bin/env bash
# Builds the program and opens it under Wine on the current X display.
# Usage: scripts/run.sh [APPLICATION_PATH]
# The path, when given, is passed on as the program's first argument. On a
# host that cannot run 32-bit code, it opens the 64-bit test build instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-host.sh"
"$root/scripts/install-deps.sh" /usr/share/wine/fonts/marlett.ttf=fonts-wine
"$root/scripts/build.sh" >/dev/null

if [ -z "${DISPLAY:-}" ]; then
    echo "No X display (DISPLAY is not set). Start one, for instance:" >&2
    # Each argument quoted as the shell needs it, so the line can be pasted back.
    {
        printf '  Xvfb :1 & DISPLAY=:1 bash %q' "$0"
        [ $# -eq 0 ] || printf ' %q' "$@"
        printf '\n'
    } >&2
    exit 1
fi

choose_runnable_build Opening

prefix="$root/build/wine-run"
"$root/scripts/wine-prefix.sh" "$prefix" win64
export WINEPREFIX=$prefix WINEDEBUG=-all
exec "${WINELOADER:-wine}" "$build/quillet.exe" "$@"
