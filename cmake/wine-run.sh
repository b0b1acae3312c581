#!/bin/sh
# Runs a built Windows program under Wine, in the prefix that the caller chose
# (WINEPREFIX), quietly. The test script prepares the prefixes.
: "${WINEDEBUG:=-all}"
export WINEDEBUG
exec wine "$@"
