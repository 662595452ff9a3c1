#!/bin/sh
# Figures for ostrelscan with clamd: starts the test fixture's private clamd,
# runs clamd_bench.exe under Wine from a console host and from a GUI host,
# the Wine session on one CPU, and times what a scanner that loads the
# database per file (clamscan) pays for every attachment.
# Usage: bench/clamd_bench.sh [BUILD_DIR]   (default: the build scripts/windows-arch.sh picks)
set -eu
cd "$(dirname "$0")/.."

if [ $# -eq 0 ]; then
    build=build/$(scripts/build-windows.sh clamd_bench clamd_bench_gui)
else
    scripts/install-deps.sh
    build=$1
    cmake --build "$build" --target clamd_bench clamd_bench_gui >/dev/null
fi
. scripts/pinned-wine.sh

fixture=$(mktemp -d)
trap 'sh tests/ostrelscan/clamd-fixture.sh stop "$fixture/daemon"; rm -rf "$fixture"' EXIT
sh tests/ostrelscan/clamd-fixture.sh start "$fixture/daemon" >/dev/null
(
    cd "$build/bin"
    export OSTREL_CLAMD_FIXTURE="Z:$fixture/daemon"
    pinned_wine clamd_bench.exe
    pinned_wine clamd_bench_gui.exe
)

echo "Database load (the fixture's test database, $(cat "$fixture"/daemon/db/* | wc -l) signatures)"
echo "  clamd start until ready: $(sed -n 's/^loadms=//p' "$fixture/daemon/fixture.txt") ms"
printf 'x\n' >"$fixture/sample.txt"
start=$(date +%s%N)
clamscan --database="$fixture/daemon/db" --no-summary "$fixture/sample.txt" >/dev/null
echo "  one clamscan run (loads it every time): $((($(date +%s%N) - start) / 1000000)) ms"
