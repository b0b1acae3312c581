#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine, on each route
# this host can run, and says which ran and why:
#  - the 32-bit route: the program as it ships, on a 64-bit and on a 32-bit
#    Windows prefix. It needs a host that can run 32-bit x86 code;
#    QUILLET_NO_32BIT_ROUTE=1 leaves it out on one that can.
#  - the 64-bit route: the same sources built for x86_64 (build/x64) and run
#    by Wine's 64-bit loader on a 64-bit prefix. It runs on every host, so
#    that it never breaks unseen.
# Either way the 32-bit program is built, and its size, imports and
# reproducibility are checked: none of that needs to run it. So is the
# Visual Studio-like build (scripts/check-msvc-like.sh), which compiles the
# program, its tests and its benchmark as an MSVC build would, on every host;
# so are the Windows workflow (scripts/check-workflow.sh) and the name
# rule's character table against the Unicode data it was generated from
# (scripts/check-character-table.sh).
# Exits non-zero when anything failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-host.sh"
unset WINELOADER
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/build.sh" x64

status=0
echo "=== The 32-bit program ==="
"$root/scripts/check-program.sh" || status=1
# Two builds of the committed source, in two folders, give the same program.
if git -C "$root" rev-parse --verify -q HEAD >/dev/null; then
    "$root/scripts/reproduce.sh" || status=1
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
total_passed=0 total_failed=0 total_skipped=0
routes=()

echo "=== Character table ==="
verdict=$("$root/scripts/check-character-table.sh") ||
    { status=1; verdict="Character table: failed; it differs from what the generator writes (above)"; }
routes+=("$verdict")

echo "=== Visual Studio-like build ==="
began=$SECONDS verdict=passed
"$root/scripts/check-msvc-like.sh" || verdict=failed
[ $verdict = passed ] || status=1
routes+=("Visual Studio-like build (clang-cl; program, tests, benchmark, GoogleTest; compiled, not linked): $verdict; $((SECONDS - began)) s")

echo "=== Windows workflow ==="
began=$SECONDS verdict=passed
"$root/scripts/check-workflow.sh" || verdict=failed
[ $verdict = passed ] || status=1
routes+=("Windows workflow (schema, and the README's commands; it runs on GitHub, not here): $verdict; $((SECONDS - began)) s")

# Runs one build's suite in a prefix of one kind (win64 or win32) and adds
# its counts to the totals; describes them in $counts. Fails when a test
# failed or none ran.
run_suite() {
    local build=$1 arch=$2 prefix=$1/wine-$2 code=0
    if ! "$root/scripts/wine-prefix.sh" "$prefix" "$arch" headless; then
        counts="$arch: no Wine prefix"
        return 1
    fi
    export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all
    # A persistent server, started here rather than from inside ctest: its
    # children would otherwise hold ctest's output pipes open.
    wineserver -p </dev/null >/dev/null 2>&1 || true # already running is fine
    run_wine wineboot </dev/null >/dev/null 2>&1 || true
    (cd "$build" && ctest --output-on-failure -j 1) | tee "$log" || code=$?
    wineserver -k || true

    local ran failed skipped
    ran=$(sed -n 's/.* tests failed out of \([0-9][0-9]*\)$/\1/p' "$log")
    failed=$(sed -n 's/.* \([0-9][0-9]*\) tests failed out of .*/\1/p' "$log")
    skipped=$(grep -c '(Skipped)$' "$log" || true)
    if [ -z "$ran" ]; then
        counts="$arch: no test ran"
        return 1
    fi
    total_passed=$((total_passed + ran - failed - skipped))
    total_failed=$((total_failed + failed))
    total_skipped=$((total_skipped + skipped))
    counts="$arch: $((ran - failed - skipped)) passed, $failed failed, $skipped skipped"
    return $code
}

# Usage: run_route NAME BUILD ARCH... Runs the suite once per prefix kind.
run_route() {
    local name=$1 build=$2 began=$SECONDS verdict=passed details="" arch counts
    shift 2
    for arch in "$@"; do
        echo "=== $name: tests on $arch ==="
        run_suite "$build" "$arch" || verdict=failed
        details+="; $counts"
    done
    [ $verdict = passed ] || status=1
    routes+=("$name: $verdict$details; $((SECONDS - began)) s")
}

why=$(why_no_32bit_wine)
if [ "${QUILLET_NO_32BIT_ROUTE:-0}" = 1 ]; then
    why="QUILLET_NO_32BIT_ROUTE=1 leaves it out"
fi
if [ -z "$why" ]; then
    run_route "32-bit route" "$root/build" win64 win32
else
    echo "=== 32-bit route: skipped, $why ==="
    routes+=("32-bit route: skipped, $why")
fi
use_64bit_wine
run_route "64-bit route" "$root/build/x64" win64

echo "=== Routes ==="
printf '%s\n' "${routes[@]}"
echo "Total: $total_passed passed, $total_failed failed, $total_skipped skipped"
exit $status
