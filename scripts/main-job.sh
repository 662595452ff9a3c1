#!/bin/sh
# Builds the plug-in, the console host and the EICAR test scanner, points the
# plug-in at that scanner with logging on, and has the host check a clean
# file and an EICAR test file and then cure the latter, as the mail client
# would. Prints each answer and the plug-in's log. Uses the 32-bit build
# where this kernel can run it, the 64-bit build otherwise.
set -eu
cd "$(dirname "$0")/.."

die() {
    echo "main job: $*" >&2
    exit 1
}

scripts/install-deps.sh || die "installing the build tools failed"
preset=$(scripts/windows-arch.sh)
case $preset in
    win32) echo "Using the 32-bit plug-in (build/win32)." ;;
    *) echo "Using the 64-bit plug-in (build/win64): this Linux kernel cannot run 32-bit programs." ;;
esac

cmake --preset "$preset" >/dev/null || die "configuring the $preset build failed"
cmake --build --preset "$preset" --target Ostrel bavhost eicarscan >/dev/null || die "building $preset failed"

bin=build/$preset/bin
work=build/$preset/main-job
rm -rf "$work"
mkdir -p "$work"
cp "$bin/Ostrel.bav" "$bin/bavhost.exe" "$bin/eicarscan.exe" "$work/"
cd "$work"

# Wine's prefix maps drive Z: to the Linux root.
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

printf '[Data]\r\nAVPExeName=%s\r\nLogging=1\r\nLogFileName=%s\r\nMaxLogLevel=3\r\nLogAVPOutput=1\r\n' \
    "$(windows_path "$PWD/eicarscan.exe")" "$(windows_path "$PWD/Ostrel.log")" > Ostrel.ini
printf 'Dear friend,\r\nthis attachment is harmless.\r\n' > clean.txt
# The EICAR test string, written in two halves so this script is no test file itself.
printf '%s%s' 'X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STANDARD' '-ANTIVIRUS-TEST-FILE!$H+H*' > eicar.com

# run EXPECTED_EXIT_CODE COMMAND [FILE...]: bavhost's exit codes are in its --help.
run() {
    expected=$1
    shift
    echo "\$ bavhost Ostrel.bav $*"
    code=0
    ../wine-run bavhost.exe Ostrel.bav "$@" || code=$?
    [ "$code" -eq "$expected" ] || die "bavhost $* ended with $code, expected $expected"
    echo
}
run 0 info
run 1 check clean.txt eicar.com
run 0 cure eicar.com
run 0 check eicar.com

echo "--- Ostrel.log ---"
cat Ostrel.log
