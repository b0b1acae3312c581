#!/usr/bin/env bash
# Builds quillet.exe twice from one commit (HEAD unless given), each time
# from a fresh copy of that commit in a folder of its own, and compares the
# two programs byte for byte. Prints the SHA-256 of each build and of the
# toolchain that made them; exits non-zero when the two differ.
# Usage: scripts/reproduce.sh [COMMIT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")
"$root/scripts/install-deps.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-reproduce.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Names of different lengths and depths: a build path that found its way
# into the program would make the two differ.
dirs=("$work/a" "$work/second-build/of/quillet")
sums=()
for dir in "${dirs[@]}"; do
    mkdir -p "$dir"
    git -C "$root" archive "$commit" | tar -x -C "$dir"
    cmake -S "$dir" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$dir/cmake/mingw-i686.cmake" \
        -DQUILLET_BUILD_TESTS=OFF -DQUILLET_BUILD_BENCH=OFF >/dev/null
    cmake --build "$dir/build" --target quillet -j "$(nproc)" >/dev/null
    sum=$(sha256sum "$dir/build/quillet.exe" | cut -d' ' -f1)
    sums+=("$sum")
    echo "$sum  ${dir#"$work"/}/build/quillet.exe"
done

echo "commit:    $commit"
echo "compiler:  $(i686-w64-mingw32-g++-posix --version | head -n 1)"
echo "linker:    $(i686-w64-mingw32-ld --version | head -n 1)"
if cmp "$work/a/build/quillet.exe" "$work/second-build/of/quillet/build/quillet.exe"; then
    echo "identical: $(stat -c %s "$work/a/build/quillet.exe") bytes"
else
    echo "the two builds differ" >&2
    exit 1
fi
