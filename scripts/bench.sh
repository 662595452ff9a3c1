#!/bin/sh
# Builds and runs the check benchmark under Wine: the 32-bit build where this
# kernel can run it, the 64-bit build otherwise. Prints its figures.
set -eu
cd "$(dirname "$0")/.."

preset=$(scripts/build-windows.sh scan_bench)
cd "build/$preset/bin"
exec ../wine-run scan_bench.exe "$@"
