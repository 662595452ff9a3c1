#!/bin/sh
# Builds and runs the check benchmark under Wine: the 32-bit build where this
# kernel can run it, the 64-bit build otherwise. Prints its figures.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
preset=$(scripts/windows-arch.sh)
echo "Using the $preset build."
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target scan_bench >/dev/null
cd "build/$preset/bin"
exec ../wine-run scan_bench.exe "$@"
