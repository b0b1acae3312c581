# Sourced by the scripts that run Wine: which of Wine's loaders this host
# can run. Some hosts run a kernel without 32-bit x86 support; there only
# the 64-bit loader starts, and the programs it runs are the 64-bit test
# build (build/x64).

WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# Prints why Wine's 32-bit loader cannot run here; prints nothing when it can.
why_no_32bit_wine() {
    local status=0
    "$WINE32_LOADER" --version >/dev/null 2>&1 || status=$?
    case $status in
    0) ;;
    126) echo "this kernel cannot run 32-bit x86 code" ;;
    127) echo "Wine's 32-bit loader is not installed ($WINE32_LOADER)" ;;
    *) echo "Wine's 32-bit loader does not start (exit code $status)" ;;
    esac
}

# From here on, this shell's Wine calls use the 64-bit loader. Debian's
# wine wrapper takes the 32-bit one whenever it is installed, even where it
# cannot run, so the loader is named, and Wine is told which it is.
use_64bit_wine() {
    export WINELOADER=$WINE64_LOADER
}

# wine, through the loader chosen above (the wrapper's choice by default).
run_wine() {
    "${WINELOADER:-wine}" "$@"
}

# Sets build to the build folder whose programs this host can run: build/,
# or where 32-bit code cannot run the 64-bit test build, build/x64 (built
# here, and run with the 64-bit loader), after a line that says so. $1 names
# what the caller does with it ("Opening", "Measuring").
choose_runnable_build() {
    local root why
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    build=$root/build
    why=$(why_no_32bit_wine)
    if [ -n "$why" ]; then
        echo "$1 the 64-bit test build (build/x64): $why." >&2
        "$root/scripts/build.sh" x64 >/dev/null
        build=$root/build/x64
        use_64bit_wine
    fi
}
