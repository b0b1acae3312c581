#!/usr/bin/env bash
# Installs what building and running the program under Wine needs, on Debian,
# as root. Does nothing when everything is already there.
set -euo pipefail

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v make >/dev/null || need+=(make)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686)
command -v i686-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-i686)
command -v wine >/dev/null || need+=(wine wine64)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
command -v Xvfb >/dev/null || need+=(xvfb)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
# Extras: COMMAND=PACKAGE, or /PATH=PACKAGE for a package that brings a file.
for extra in "$@"; do
    what=${extra%%=*}
    if [[ $what == /* ]]; then
        [ -e "$what" ] || need+=("${extra#*=}")
    else
        command -v "$what" >/dev/null || need+=("${extra#*=}")
    fi
done

[ ${#need[@]} -eq 0 ] && exit 0

echo "Installing: ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
