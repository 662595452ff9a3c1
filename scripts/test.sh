#!/bin/sh
# Builds everything and runs every test: the pure logic natively with
# sanitizers, the static checks of both DLLs, and the plug-in and its tests
# under Wine, 64-bit always and 32-bit where this kernel can run it.
# CTest's summary of the 64-bit run is the last line.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

status=0
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native --no-label-summary || status=1

for preset in win32 win64; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset
done

if scripts/runs-32bit.sh; then
    ctest --preset win32 --no-label-summary || status=1
else
    echo "32-bit Windows tests skipped: this Linux kernel cannot run 32-bit programs"
    ctest --preset win32 -L static --no-label-summary || status=1
fi
ctest --preset win64 --no-label-summary || status=1

# Wine's persistent servers would otherwise outlive the run by a minute.
for preset in win32 win64; do
    WINEPREFIX="$PWD/build/$preset/wineprefix" wineserver -k >/dev/null 2>&1 || true
done

exit $status
