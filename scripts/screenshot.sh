#!/usr/bin/env bash
# Renders the dialog under Xvfb, in a Wine desktop window with captions, with
# an application path already chosen, and writes docs/dialog.png.
# Usage: scripts/screenshot.sh [OUTPUT.png]
# On a host that cannot run 32-bit code, it renders the 64-bit test build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-host.sh"
out=${1:-$root/docs/dialog.png}
# Wine's own Marlett draws the caption buttons (see wine-prefix.sh).
"$root/scripts/install-deps.sh" import=imagemagick xdotool=xdotool \
    /usr/share/wine/fonts/marlett.ttf=fonts-wine
"$root/scripts/build.sh" >/dev/null
choose_runnable_build Rendering

display=:57
Xvfb $display -screen 0 640x360x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1

prefix="$root/build/wine-shot"
export DISPLAY=$display
"$root/scripts/wine-prefix.sh" "$prefix" win64
export WINEPREFIX=$prefix WINEDEBUG=-all
run_wine reg add 'HKLM\SOFTWARE\Classes\*\shell\Open with notepad\command' /ve /d '"C:\windows\notepad.exe" "%1"' /f >/dev/null 2>&1
# The dialog opens at the mouse pointer.
xdotool mousemove 24 24
run_wine explorer /desktop=shot,640x360 "$build/quillet.exe" 'C:\Program Files\Viewer\viewer.exe' </dev/null >/dev/null 2>&1 &
sleep 6
mkdir -p "$(dirname "$out")"
import -window root -crop 344x184+18+18 "$out"
wineserver -k || true
echo "wrote $out"
