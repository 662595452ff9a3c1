#!/bin/sh
# Prints the preset of the Windows build that Wine can run on this machine:
# win32 where the kernel runs 32-bit programs, win64 otherwise.
if "$(dirname "$0")/runs-32bit.sh"; then
    echo win32
else
    echo win64
fi
