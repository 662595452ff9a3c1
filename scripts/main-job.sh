#!/bin/sh
# Builds the plug-in and the console host, then loads the plug-in the way
# the mail client does and prints what it answers.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Ostrel bavhost >/dev/null

cd build/win32/bin
../wine-run bavhost.exe Ostrel.bav info
