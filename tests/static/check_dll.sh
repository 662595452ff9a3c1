#!/bin/sh
# Checks a built Ostrel.bav with binutils alone, so it runs where Windows
# programs cannot: machine type, export names and ordinals, system-only
# imports, version resource, hardening flags and the stripped symbol table.
#   check_dll.sh OBJDUMP WINDRES DLL i386|x86-64 VERSION
set -u
objdump=$1 windres=$2 dll=$3 machine=$4 version=$5
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

headers=$("$objdump" -p "$dll") || { echo "FAIL: objdump cannot read $dll"; exit 1; }

case $machine in
    i386) format=pei-i386 magic=PE32 ;;
    x86-64) format=pei-x86-64 magic=PE32+ ;;
    *) echo "FAIL: unknown machine $machine"; exit 1 ;;
esac
echo "$headers" | grep -q "file format $format\$" || fail "not a $format file"
echo "$headers" | grep -q "^Magic.*($magic)\$" || fail "optional header is not $magic"

# "[ index] name" lines of the name table; the ordinal is index + base.
expected_exports="1 BAV_CureFile
2 BAV_CheckFile
3 BAV_StreamChecking
4 BAV_FileChecking
5 BAV_MemoryChecking
6 BAV_GetStatus
7 BAV_GetCfgData
8 BAV_SetCfgData
9 BAV_Setup
10 BAV_ConfigNeeded
11 BAV_GetVersion
12 BAV_GetName
13 BAV_ComNeeded
14 BAV_Uninitialize
15 BAV_Initialize"
base=$(echo "$headers" | awk '/^Ordinal Base/ { print $3 }')
exports=$(echo "$headers" | awk -v base="${base:-0}" '
    /^\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
    table && /^\t\[/ { gsub(/[\[\]]/, " "); print $1 + base, $2; next }
    table { table = 0 }' | sort -n)
[ "$exports" = "$expected_exports" ] || fail "exports differ from the table; found (ordinal name):
$exports"
echo "$headers" | grep -q "^Name[[:space:]].* Ostrel.bav\$" || fail "export directory is not named Ostrel.bav"

system_dlls="ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL VERSION.DLL"
for imported in $(echo "$headers" | awk '/DLL Name:/ { print toupper($3) }'); do
    case " $system_dlls " in
        *" $imported "*) ;;
        *) fail "imports $imported, which is no system DLL" ;;
    esac
done

"$windres" -i "$dll" -O rc 2>/dev/null | grep -q "VALUE \"FileVersion\", \"$version\"" ||
    fail "no version resource with FileVersion $version"

characteristics=$(echo "$headers" | awk '/^DllCharacteristics/ { on = 1; next } on && /^\t/ { print $1; next } { on = 0 }')
required="DYNAMIC_BASE NX_COMPAT"
[ "$machine" = x86-64 ] && required="$required HIGH_ENTROPY_VA"
for flag in $required; do
    echo "$characteristics" | grep -qx "$flag" || fail "DllCharacteristics lack $flag"
done
grep -q "stack smashing detected" "$dll" || fail "built without the stack protector"

"$objdump" -t "$dll" | grep -q "^no symbols\$" || fail "carries a symbol table (not stripped)"

if [ "$failures" -ne 0 ]; then
    echo "$dll: $failures check(s) failed"
    exit 1
fi
echo "$dll: $machine, 15 exports at their ordinals, system imports only, FileVersion $version, hardened, stripped"
