#!/usr/bin/env bash
# Usage: build.sh [x64]
# Configures and builds the program and its tests in build/. With x64, the
# 64-bit test build in build/x64 instead: the same sources for x86_64, to run
# the tests where 32-bit code cannot run. It is never released.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# GoogleTest is Debian's source (package googletest), reached by the two
# routes a build without a package takes: the 32-bit build as a checkout,
# the 64-bit one through the download route pointed at it.
googletest=/usr/src/googletest
if [ "${1:-}" = x64 ]; then
    build=$root/build/x64
    options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DQUILLET_64BIT_TESTS=ON
        -DQUILLET_GOOGLETEST_SOURCE= "-DFETCHCONTENT_SOURCE_DIR_GOOGLETEST=$googletest")
else
    build=$root/build
    options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
        "-DQUILLET_GOOGLETEST_SOURCE=$googletest")
fi
cmake -S "$root" -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
