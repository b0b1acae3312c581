#!/usr/bin/env bash
# Usage: wine-prefix.sh DIR win64|win32 [headless]
# Makes a Wine prefix in DIR once; "headless" gives it the null display
# driver, so that windows can be created without an X display.
# Wine's loader is WINELOADER's when that is set (see wine-host.sh).
set -euo pipefail
source "$(dirname "$0")/wine-host.sh"
dir=$1 arch=$2 mode=${3:-}
stamp="$dir/.quillet-ready$mode"

if [ ! -f "$stamp" ]; then
    export WINEPREFIX=$dir WINEARCH=$arch WINEDEBUG=-all
    # No Mono or Gecko: nothing here needs them, and their installers ask.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if ! run_wine wineboot -i </dev/null >/dev/null 2>&1; then
        echo "wine-prefix.sh: Wine could not make the $arch prefix $dir" >&2
        exit 1
    fi
    if [ "$mode" = headless ]; then
        run_wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    fi
    wineserver -w
    touch "$stamp"
fi

# Caption buttons are drawn with the Marlett font; without it the close box
# shows the letter "r". Debian's Wine finds fonts in the prefix's Fonts folder
# and through fontconfig, not where fonts-wine installs Wine's own Marlett.
marlett=/usr/share/wine/fonts/marlett.ttf
if [ "$mode" != headless ] && [ -f "$marlett" ] && [ ! -f "$dir/drive_c/windows/Fonts/marlett.ttf" ]; then
    cp "$marlett" "$dir/drive_c/windows/Fonts/"
fi
