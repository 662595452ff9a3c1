#!/bin/sh
# Checks a release zip as a user gets it: the file list, the checksums, the
# Windows line endings of the texts, the static checks of both plug-ins, the
# machine and PE checksum of every program, and that no given build folder
# or home folder appears in any file.
#   check-release.sh ZIP VERSION [FORBIDDEN_TEXT...]
set -u
zip=$1 version=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
checker=$here/../tests/static/check_dll.sh
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || { echo "FAIL: cannot unpack $zip"; exit 1; }
cd "$work"

listing=$(find . -type f | sed 's|^\./||' | LC_ALL=C sort)
expected="LICENSE.txt
README.txt
SHA256SUMS.txt
lang/Deutsch.lng
lang/Russian.lng
lang/Ukrainian.lng
tools/x64/bavhost.exe
tools/x64/eicarscan.exe
tools/x86/bavhost.exe
tools/x86/eicarscan.exe
x64/Ostrel.bav
x64/ostrelscan.exe
x64/ostrelscan.ini.sample
x86/Ostrel.bav
x86/ostrelscan.exe
x86/ostrelscan.ini.sample"
[ "$listing" = "$expected" ] || fail "the zip holds other files than expected:
$listing"

sha256sum --quiet --strict -c SHA256SUMS.txt || fail "SHA256SUMS.txt does not match the files"
[ "$(wc -l <SHA256SUMS.txt)" -eq $(($(echo "$listing" | wc -l) - 1)) ] ||
    fail "SHA256SUMS.txt does not list every file"

# A sample only documents: every line that says something is a comment.
for sample in x86/ostrelscan.ini.sample x64/ostrelscan.ini.sample; do
    [ -f "$sample" ] && ! tr -d '\r' <"$sample" | grep -v -E '^[[:space:]]*(;|$)' | grep -q . ||
        fail "$sample has lines that are not comments"
done

for text in README.txt LICENSE.txt x86/ostrelscan.ini.sample x64/ostrelscan.ini.sample; do
    [ -s "$text" ] && awk '!/\r$/ { bad = 1 } END { exit bad }' "$text" ||
        fail "$text is empty or has lines without CRLF"
done
grep -q "$version" README.txt || fail "README.txt does not name version $version"

# PE checksum: 16-bit words summed with carry, the field itself left out,
# plus the file length (little-endian host assumed, as od reads words).
pe_checksum_ok() {
    lfanew=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    field=$((lfanew + 24 + 64))
    stored=$(od -An -tu4 -j$field -N4 "$1" | tr -d ' ')
    size=$(wc -c <"$1")
    computed=$(od -An -v -tu2 "$1" | awk -v skip=$((field / 2)) -v size="$size" '
        { for (i = 1; i <= NF; i++) { if (n != skip && n != skip + 1) { s += $i; if (s > 65535) s -= 65535 } n++ } }
        END { printf "%d", s + size }')
    [ "$stored" = "$computed" ] || { echo "stored $stored, computed $computed"; return 1; }
}

for file in $(echo "$listing" | grep -E '\.(bav|exe)$'); do
    case $file in
        *x86/*) triplet=i686-w64-mingw32 machine=i386 ;;
        *) triplet=x86_64-w64-mingw32 machine=x86-64 ;;
    esac
    "$triplet-objdump" -f "$file" | grep -q "file format pei-$machine\$" || fail "$file is not pei-$machine"
    why=$(pe_checksum_ok "$file") || fail "$file: PE checksum is wrong ($why)"
    case $file in
        *.bav) sh "$checker" "$triplet-objdump" "$triplet-windres" "$file" $machine "$version" ||
                   failures=$((failures + 1)) ;;
    esac
done

for text in "$@"; do
    # Too short to tell a path from ordinary bytes.
    [ ${#text} -ge 4 ] || continue
    found=$(grep -rlaF -- "$text" . | sed 's|^\./||')
    [ -z "$found" ] || fail "\"$text\" appears in: $found"
done

if [ "$failures" -ne 0 ]; then
    echo "$zip: $failures check(s) failed"
    exit 1
fi
echo "$zip: $(echo "$listing" | wc -l) files, checksums, CRLF texts, static DLL checks, PE checksums and no build paths: OK"
