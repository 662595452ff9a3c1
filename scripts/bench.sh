#!/bin/sh
# Builds and runs the check benchmark under Wine: the 32-bit build where this
# kernel can run it, the 64-bit build otherwise. Runs it from a console host
# and from a GUI host (the mail client's case), the whole Wine session, its
# server included, on one CPU. Prints its figures.
set -eu
cd "$(dirname "$0")/.."

. scripts/pinned-wine.sh
preset=$(scripts/build-windows.sh scan_bench scan_bench_gui)
cd "build/$preset/bin"
pinned_wine scan_bench.exe "$@"
pinned_wine scan_bench_gui.exe "$@"
