#!/bin/sh
# Installs what is missing, then configures and builds TARGETS in the
# Windows build this machine can run (32-bit where the kernel runs 32-bit
# programs, 64-bit otherwise). Says which on stderr; prints the preset.
#   scripts/build-windows.sh TARGET...
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2
preset=$(scripts/windows-arch.sh)
echo "Using the $preset build." >&2
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target "$@" >/dev/null
echo "$preset"
