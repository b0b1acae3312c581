#!/usr/bin/env bash
# Builds the program and opens it under Wine on the current X display.
# Usage: scripts/run.sh [APPLICATION_PATH]
# The path, when given, is passed on as the program's first argument.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null

if [ -z "${DISPLAY:-}" ]; then
    echo "No X display (DISPLAY is not set). Start one, for instance:" >&2
    echo "  Xvfb :1 & DISPLAY=:1 $0 $*" >&2
    exit 1
fi

prefix="$root/build/wine-run"
"$root/scripts/wine-prefix.sh" "$prefix" win64
export WINEPREFIX=$prefix WINEDEBUG=-all
exec wine "$root/build/quillet.exe" "$@"
