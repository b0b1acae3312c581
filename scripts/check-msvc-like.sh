#!/usr/bin/env bash
# The Visual Studio-like build: compiles every source and resource script of
# the program, its tests, its benchmark and GoogleTest through the project's
# MSVC branch, with clang-cl for 32-bit x86 Windows
# (cmake/clang-cl-i686.cmake) against Wine's MSVC-compatible headers and
# LLVM's C++ library headers, warnings as errors. It catches what the
# MinGW-w64 build lets through and cl.exe would not (variable-length arrays,
# statement expressions and other GNU extensions, GNU attributes and
# builtins, POSIX names and headers that only Wine's headers have, MSVC's
# level-4 warnings), and checks what the MSVC branch configures: the release
# configuration, the C runtime of each configuration, and the program's link
# options. It links nothing, needs no Wine, and runs anywhere.
# GoogleTest comes through the download route, pointed at Debian's source.
# Usage: scripts/check-msvc-like.sh   (builds in build/msvc-like and
# build/msvc-like-configs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/msvc-like
configs=$root/build/msvc-like-configs
headers=$root/build/wine-msvc-headers
googletest=/usr/src/googletest
began=$SECONDS

fail() {
    echo "Visual Studio-like build: $*" >&2
    exit 1
}

# Wine's headers for MSVC compilers come in Debian's libwine-dev, LLVM's C++
# library headers in libc++-14-dev (clang 14's own); only their headers are
# needed, so the packages are fetched and unpacked into the build tree, not
# installed. Kept there for the next run.
# The stamp names what the folder holds, so that a folder made by an older
# version of this script is made again.
layout="msvcrt windows libcxx patched/winnt.h patched/rpcndr.h"
if [ "$(cat "$headers/complete" 2>/dev/null)" != "$layout" ]; then
    rm -rf "$headers"
    mkdir -p "$headers/download"
    (cd "$headers/download" && apt-get download -q libwine-dev:i386 >/dev/null 2>&1) ||
        fail "could not download libwine-dev:i386 (Wine's headers) with apt-get"
    dpkg-deb --fsys-tarfile "$headers"/download/libwine-dev_*.deb |
        tar -x -C "$headers/download" ./usr/include/wine/wine/msvcrt ./usr/include/wine/wine/windows
    mv "$headers/download/usr/include/wine/wine/msvcrt" "$headers/download/usr/include/wine/wine/windows" \
        "$headers/"
    (cd "$headers/download" && apt-get download -q libc++-14-dev >/dev/null 2>&1) ||
        fail "could not download libc++-14-dev (LLVM's C++ library headers) with apt-get"
    dpkg-deb --fsys-tarfile "$headers"/download/libc++-14-dev_*.deb |
        tar -x -C "$headers/download" ./usr/lib/llvm-14/include/c++/v1
    mv "$headers/download/usr/lib/llvm-14/include/c++/v1" "$headers/libcxx"
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
    # rpcndr.h drops an interface's GUID, so __uuidof(IAccessible) has none:
    # the Windows SDK's attaches it, as __declspec(uuid).
    sed -e 's/^#define DECLSPEC_UUID(x)$/#define DECLSPEC_UUID(x) __declspec(uuid(x))/' \
        -e 's/^#define MIDL_INTERFACE(x)   struct$/#define MIDL_INTERFACE(x) struct DECLSPEC_UUID(x) DECLSPEC_NOVTABLE/' \
        "$headers/windows/rpcndr.h" >"$headers/patched/rpcndr.h"
    changed=$(diff "$headers/windows/rpcndr.h" "$headers/patched/rpcndr.h" | grep -c '^>' || true)
    [ "$changed" = 2 ] || fail "rpcndr.h is not as expected: $changed lines changed, not 2"
    echo "$layout" >"$headers/complete"
fi

# From an empty folder each time: the build type is decided when the folder
# is first configured.
rm -rf "$build" "$configs"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
configure() {
    if ! cmake "$@" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-cl-i686.cmake" \
        -DQUILLET_WINE_HEADERS="$headers" -DFETCHCONTENT_SOURCE_DIR_GOOGLETEST="$googletest" \
        >"$log" 2>&1; then
        cat "$log" >&2
        fail "CMake could not configure it ($*)"
    fi
}
configure -S "$root" -B "$build" -G Ninja
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
[ "$type" = MinSizeRel ] || fail "configured as \"$type\", not MinSizeRel"

# Usage: check_compiles WHAT NINJA_COMMANDS FLAG... [! FLAG...]
# Every compile command among NINJA_COMMANDS has each flag before the "!"
# and none after it.
check_compiles() {
    local what=$1 commands=$2 line source flag want=yes
    shift 2
    local compiles
    compiles=$(grep -- ' -c -- ' <<<"$commands" || true)
    [ -n "$compiles" ] || fail "ninja lists no compile command for $what"
    while read -r line; do
        source=${line##* }
        want=yes
        for flag in "$@"; do
            if [ "$flag" = '!' ]; then
                want=no
            elif [ $want = yes ]; then
                [[ " $line " == *" $flag "* ]] || fail "$what: $source is compiled without $flag"
            else
                [[ " $line " != *" $flag "* ]] || fail "$what: $source is compiled with $flag"
            fi
        done
    done <<<"$compiles"
}

# What the build would take: the objects of the program, the tests, the
# benchmark and GoogleTest, and the compiled resource scripts.
cd "$build"
objects=$(ninja -t inputs all | grep -E '\.(obj|res)$' || true)
grep -q '^CMakeFiles/quillet\.dir/' <<<"$objects" || fail "no object file found for quillet.exe"
commands=$(ninja -t commands all)
resources=$(grep -- 'cmake_llvm_rc' <<<"$commands" || true)
link=$(ninja -t commands quillet.exe | grep -- '/out:quillet.exe' || true)
if [ -z "$resources" ] || [ -z "$link" ]; then
    fail "ninja lists no resource or link command for quillet.exe"
fi

# Each compile: the release's size optimisation, no debug checks, the static
# C runtime, warnings as errors.
check_compiles "$type" "$commands" /O1 -MT /WX /W4 /Brepro ! /Od /RTC1 /Zi -MD -MDd -MTd
# The link it would run: no manifest of the linker's own (the program brings
# one), Windows 7 in the header, imports resolved from System32 alone.
for flag in /MANIFEST:NO /SUBSYSTEM:WINDOWS,6.01 /DEPENDENTLOADFLAG:0x800 /Brepro; do
    [[ " $link " == *" $flag "* ]] || fail "quillet.exe would be linked without $flag"
done

# Visual Studio's configurations, as its generator makes them, in one folder:
# each takes the static C runtime, and Debug its debug form, as static
# libraries built for Debug (vcpkg's GoogleTest) have it.
configure -S "$root" -B "$configs" -G "Ninja Multi-Config" \
    "-DCMAKE_CONFIGURATION_TYPES=Debug;Release;MinSizeRel;RelWithDebInfo"
for config in Debug Release MinSizeRel RelWithDebInfo; do
    config_commands=$(ninja -C "$configs" -f "build-$config.ninja" -t commands all)
    if [ $config = Debug ]; then
        check_compiles $config "$config_commands" -MTd ! -MT -MD -MDd
    else
        check_compiles $config "$config_commands" -MT ! -MTd -MD -MDd
    fi
done

# Each object's own command, run here: ninja would first link the programs
# that a test program depends on, and nothing can be linked here.
# shellcheck disable=SC2086 # one file name per word
if ! ninja -t commands -s $objects | xargs -d '\n' -n 1 -P "$(nproc)" sh -c >"$log" 2>&1; then
    grep -v '^Note: including file:' "$log" >&2 || true
    fail "it does not compile"
fi
# The resource compiler has no warnings-as-errors switch of its own.
if grep -v '^Note: including file:' "$log" | grep -i 'warning' >&2; then
    fail "it compiles with warnings"
fi
count() { grep -c -E "$1" <<<"$objects" || true; }
program=$(count '^CMakeFiles/(quillet|quillet_entries|quillet_dialog)\.dir/.*\.obj$')
tests=$(count '^tests/.*\.obj$')
bench=$(count '^bench/.*\.obj$')
gtest=$(count '^_deps/.*\.obj$')
scripts=$(count '\.res$')
sources=$(count '\.obj$')
[ $((program + tests + bench + gtest)) = "$sources" ] || fail "$sources objects, not all of them known"
if [ "$tests" = 0 ] || [ "$bench" = 0 ] || [ "$gtest" = 0 ]; then
    fail "the tests, the benchmark or GoogleTest compiled nothing"
fi
echo "Visual Studio-like build: $sources sources (program $program, tests $tests," \
    "benchmark $bench, GoogleTest $gtest) and $scripts resource scripts compiled" \
    "($type, clang-cl for 32-bit x86, warnings as errors; not linked); C runtime checked" \
    "in Debug, Release, MinSizeRel and RelWithDebInfo; $((SECONDS - began)) s"
