#!/usr/bin/env bash
# Installs what building and running the program under Wine needs, the
# Visual Studio-like build's compiler, and what the Windows workflow's check
# runs on, on Debian, as root. Does nothing when everything is already there.
set -euo pipefail

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v make >/dev/null || need+=(make)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686)
command -v i686-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-i686)
# The 64-bit test build, for hosts that cannot run 32-bit code.
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64)
command -v x86_64-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-x86-64)
command -v wine >/dev/null || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
command -v Xvfb >/dev/null || need+=(xvfb)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
# The name rule's character table and its generator (scripts/check-character-table.sh).
command -v python3 >/dev/null || need+=(python3)
[ -f /usr/share/unicode/DerivedCoreProperties.txt ] || need+=(unicode-data)
# The Visual Studio-like build (scripts/check-msvc-like.sh): clang-cl,
# lld-link, llvm-rc and llvm-lib (llvm brings both), some only with a version
# suffix, and Ninja.
command -v clang-cl >/dev/null || command -v clang-cl-14 >/dev/null || need+=(clang)
command -v lld-link >/dev/null || command -v lld-link-14 >/dev/null || need+=(lld)
command -v llvm-rc >/dev/null || command -v llvm-rc-14 >/dev/null || need+=(llvm)
command -v ninja >/dev/null || need+=(ninja-build)
# The Windows workflow's check (scripts/check-workflow.sh) installs its
# validator from the npm registry.
command -v node >/dev/null || need+=(nodejs)
command -v npm >/dev/null || need+=(npm)
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
log=$(mktemp) pins=$(mktemp)
trap 'rm -f "$log" "$pins"' EXIT

# A mirror in the middle of a sync can fail one index (seen: the security
# suite's i386 list) while the rest arrive; apt then goes on with what it has.
if ! apt-get update -qq >"$log" 2>&1; then
    echo "Not every package index could be fetched; going on with those that were."
fi

install() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" \
        "${need[@]}" >>"$log" 2>&1
}
install && exit 0

# With the security suite's i386 index missing, the amd64 libraries already
# at security versions have no i386 twin, and wine32:i386 needs both at one
# version. Held below the main suite for this one command, both
# architectures come from the main suite.
{
    cat /etc/apt/preferences 2>/dev/null && echo
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n'
} >"$pins"
echo "The install failed; trying once more with the security suite held below the main suite."
if ! install -o Dir::Etc::Preferences="$pins"; then
    cat "$log" >&2
    echo "install-deps.sh: could not install ${need[*]}" >&2
    exit 1
fi
