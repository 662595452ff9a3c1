#!/bin/sh
# Builds the plug-in, the console host and the EICAR test scanner, points the
# plug-in at that scanner with logging on, and has the host check a clean
# file and an EICAR test file and then cure the latter, as the mail client
# would. Prints each answer and the plug-in's log.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Ostrel bavhost eicarscan >/dev/null

bin=build/win32/bin
work=build/win32/main-job
rm -rf "$work"
mkdir -p "$work"
cp "$bin/Ostrel.bav" "$bin/bavhost.exe" "$bin/eicarscan.exe" "$work/"
cd "$work"

printf '[Data]\r\nAVPExeName=%s\r\nLogging=1\r\nLogFileName=%s\r\nMaxLogLevel=3\r\nLogAVPOutput=1\r\n' \
    "$(winepath -w "$PWD/eicarscan.exe" 2>/dev/null)" "$(winepath -w "$PWD/Ostrel.log" 2>/dev/null)" \
    > Ostrel.ini
printf 'Dear friend,\r\nthis attachment is harmless.\r\n' > clean.txt
# The EICAR test string, written in two halves so this script is no test file itself.
printf '%s%s' 'X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STANDARD' '-ANTIVIRUS-TEST-FILE!$H+H*' > eicar.com

run() {
    echo "\$ bavhost Ostrel.bav $*"
    ../wine-run bavhost.exe Ostrel.bav "$@" || true
    echo
}
run info
run check clean.txt eicar.com
run cure eicar.com
run check eicar.com

echo "--- Ostrel.log ---"
cat Ostrel.log
