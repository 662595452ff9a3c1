#!/bin/sh
# Builds everything and runs every test: the pure logic natively with
# sanitizers, the static checks of both DLLs, the release's reproducibility
# and signing, and the plug-in and its tests under Wine, 64-bit always and
# 32-bit where this kernel can run it. CTest's summary of the 64-bit run is
# the last line.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

status=0
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -LE release --no-label-summary || status=1

for preset in win64 win32; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset
done

# The release tests build the release again in another folder: work for the
# processors, while the Windows tests mostly wait for Wine. So they run
# beside them, at the lowest priority, and report after them.
release_log=build/native/release-tests.log
nice -n 19 ctest --preset native -L release --no-label-summary >"$release_log" 2>&1 &
release_pid=$!

# Where 32-bit programs cannot run, the win32 build registers only its static checks.
scripts/runs-32bit.sh ||
    echo "32-bit Windows tests skipped: this Linux kernel cannot run 32-bit programs; only the static checks of the 32-bit build run"
ctest --preset win32 --no-label-summary || status=1
echo "The 64-bit Windows tests are running; their report follows that of the release tests."
win64_log=build/win64/tests.log
ctest --preset win64 --no-label-summary >"$win64_log" 2>&1 || status=1

wait $release_pid || status=1
cat "$release_log"

# Wine's persistent servers would otherwise outlive the run by a minute.
for preset in win32 win64; do
    WINEPREFIX="$PWD/build/$preset/wineprefix" wineserver -k >/dev/null 2>&1 || true
done

cat "$win64_log"
exit $status
