#!/usr/bin/env bash
# The Visual Studio-like build: compiles every source and resource script of
# the program through the project's MSVC branch, with clang-cl for 32-bit x86
# Windows (cmake/clang-cl-i686.cmake) against Wine's MSVC-compatible headers,
# warnings as errors. It catches what the MinGW-w64 build lets through and
# cl.exe would not (variable-length arrays, statement expressions and other
# GNU extensions, MSVC's level-4 warnings), and checks what the MSVC branch
# configures: the release configuration, the static C runtime, and the
# program's link options. It links nothing, needs no Wine, and runs anywhere.
# Usage: scripts/check-msvc-like.sh   (builds in build/msvc-like)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/msvc-like
headers=$root/build/wine-msvc-headers
began=$SECONDS

fail() {
    echo "Visual Studio-like build: $*" >&2
    exit 1
}

# Wine's headers for MSVC compilers come in Debian's libwine-dev; only its
# headers are needed, so the package is fetched and unpacked into the build
# tree, not installed. Kept there for the next run.
if [ ! -f "$headers/complete" ]; then
    rm -rf "$headers"
    mkdir -p "$headers/download"
    (cd "$headers/download" && apt-get download -q libwine-dev:i386 >/dev/null 2>&1) ||
        fail "could not download libwine-dev:i386 (Wine's headers) with apt-get"
    dpkg-deb --fsys-tarfile "$headers"/download/libwine-dev_*.deb |
        tar -x -C "$headers/download" ./usr/include/wine/wine/msvcrt ./usr/include/wine/wine/windows
    mv "$headers/download/usr/include/wine/wine/msvcrt" "$headers/download/usr/include/wine/wine/windows" \
        "$headers/"
    rm -rf "$headers/download"
    # winnt.h defines the 64-bit Interlocked functions itself for 32-bit x86,
    # and clang-cl has them built in ("definition of builtin function"):
    # for clang, the header declares them instead, as it does on other
    # processors.
    mkdir -p "$headers/patched"
    sed '/^DECLSPEC_NORETURN void __fastfail/,/^#ifndef __i386__$/ s/^#ifndef __i386__$/#if !defined(__i386__) || defined(__clang__)/' \
        "$headers/windows/winnt.h" >"$headers/patched/winnt.h"
    changed=$(diff "$headers/windows/winnt.h" "$headers/patched/winnt.h" | grep -c '^>' || true)
    [ "$changed" = 1 ] || fail "winnt.h is not as expected: $changed lines changed, not 1"
    touch "$headers/complete"
fi

# From an empty folder each time: the build type is decided when the folder
# is first configured.
rm -rf "$build"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-cl-i686.cmake" \
    -DQUILLET_WINE_HEADERS="$headers" -DQUILLET_BUILD_TESTS=OFF -DQUILLET_BUILD_BENCH=OFF \
    >"$log" 2>&1; then
    cat "$log" >&2
    fail "CMake could not configure it"
fi
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
[ "$type" = MinSizeRel ] || fail "configured as \"$type\", not MinSizeRel"

# What the program's link would take: the objects of its own sources and of
# the libraries it links, and the compiled resource scripts.
cd "$build"
objects=$(ninja -t inputs quillet.exe | grep -E '\.(obj|res)$' || true)
[ -n "$objects" ] || fail "no object file found for quillet.exe"
commands=$(ninja -t commands quillet.exe)
compiles=$(grep -- ' -c -- ' <<<"$commands" || true)
resources=$(grep -- 'cmake_llvm_rc' <<<"$commands" || true)
link=$(grep -- '/out:quillet.exe' <<<"$commands" || true)
if [ -z "$compiles" ] || [ -z "$resources" ] || [ -z "$link" ]; then
    fail "ninja lists no compile, resource or link command for quillet.exe"
fi

# Each compile: the release's size optimisation, no debug checks, the static
# C runtime, warnings as errors.
while read -r line; do
    source=${line##* }
    for flag in /O1 -MT /WX /W4 /Brepro; do
        [[ " $line " == *" $flag "* ]] || fail "$source is compiled without $flag"
    done
    for flag in /Od /RTC1 /Zi -MD -MDd -MTd; do
        [[ " $line " != *" $flag "* ]] || fail "$source is compiled with $flag"
    done
done <<<"$compiles"
# The link it would run: no manifest of the linker's own (the program brings
# one), Windows 7 in the header, imports resolved from System32 alone.
for flag in /MANIFEST:NO /SUBSYSTEM:WINDOWS,6.01 /DEPENDENTLOADFLAG:0x800 /Brepro; do
    [[ " $link " == *" $flag "* ]] || fail "quillet.exe would be linked without $flag"
done

# shellcheck disable=SC2086 # one file name per word
if ! ninja $objects >"$log" 2>&1; then
    grep -v '^\[[0-9]*/[0-9]*\] ' "$log" >&2 || true
    fail "the program does not compile"
fi
# The resource compiler has no warnings-as-errors switch of its own.
if grep -i 'warning' "$log" >&2; then
    fail "the program compiles with warnings"
fi
sources=$(grep -c -- ' -c -- ' <<<"$compiles")
scripts=$(grep -c -- 'cmake_llvm_rc' <<<"$resources")
echo "Visual Studio-like build: $sources sources and $scripts resource scripts compiled" \
    "($type, clang-cl for 32-bit x86, warnings as errors; not linked), $((SECONDS - began)) s"
