#!/usr/bin/env bash
# Builds the program and opens it under Wine on the current X display.
# Usage: scripts/run.sh [APPLICATION_PATH]
# The path, when given, is passed on as the program's first argument. On a
# host that cannot run 32-bit code, it opens the 64-bit test build instead;
# on a display without a window manager, in a Wine desktop window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-host.sh"
"$root/scripts/install-deps.sh" /usr/share/wine/fonts/marlett.ttf=fonts-wine xprop=x11-utils
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

# A window manager announces itself on the root window. Without one (a bare
# Xvfb, a minimal container) a window has no title bar or close box, takes
# keys only while the pointer is over it, and cannot be moved; a Wine desktop
# window, as large as the screen, draws the frame itself instead.
if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    exec "${WINELOADER:-wine}" "$build/quillet.exe" "$@"
fi
size=$(xwininfo -root 2>/dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { if (w && h) print w "x" h }')
size=${size:-800x600}
echo "No window manager on $DISPLAY: opening the program in a Wine desktop window ($size)." >&2
exec "${WINELOADER:-wine}" explorer /desktop=quillet,"$size" "$build/quillet.exe" "$@"
