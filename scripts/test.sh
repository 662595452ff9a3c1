#!/bin/sh
# Builds everything and runs every test: the pure logic natively with
# sanitizers, then the plug-in and its tests under Wine. CTest's summary of
# the Wine run is the last line.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
native_status=0
ctest --preset native || native_status=$?

cmake --preset win32 >/dev/null
cmake --build --preset win32
win32_status=0
ctest --preset win32 || win32_status=$?

# Wine's persistent server would otherwise outlive the run by a minute.
WINEPREFIX="$PWD/build/win32/wineprefix" wineserver -k >/dev/null 2>&1 || true

[ "$native_status" -eq 0 ] && [ "$win32_status" -eq 0 ]
