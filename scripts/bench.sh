#!/usr/bin/env bash
# Builds everything and runs the benchmark under Wine, in a throw-away
# headless 64-bit prefix of its own, build/wine-bench: the start-up rows put
# verbs into that prefix's own HKEY_LOCAL_MACHINE (and take them out again).
# The table goes to standard output; it takes a few minutes. On a host that
# cannot run 32-bit code it measures the 64-bit test build, and its table
# says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-host.sh"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null

choose_runnable_build Measuring

prefix="$root/build/wine-bench"
"$root/scripts/wine-prefix.sh" "$prefix" win64 headless
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
# A persistent server with its output sent elsewhere: every process start is
# then cheap, and Wine's services hold none of this script's pipes.
wineserver -p </dev/null >/dev/null 2>&1 || true # already running is fine
trap 'wineserver -k 2>/dev/null || true' EXIT
run_wine wineboot </dev/null >/dev/null 2>&1 || true
run_wine "$build/bench/bench.exe" </dev/null
