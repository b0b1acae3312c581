#!/bin/sh
# Runs a built Windows program under Wine, in the prefix that the caller chose
# (WINEPREFIX), quietly. The test script prepares the prefixes. WINELOADER
# names the loader when it must not be the wrapper's choice: the wrapper
# takes the 32-bit one whenever it is installed, even where it cannot run.
: "${WINEDEBUG:=-all}"
export WINEDEBUG
exec "${WINELOADER:-wine}" "$@"
