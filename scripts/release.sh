#!/bin/sh
# Builds both plug-ins and the tools in Release and writes
# dist/Ostrel-VERSION.zip. The same commit gives the same zip, byte for byte,
# whatever folder it is built in.
#   scripts/release.sh [--build-dir DIR] [--dist-dir DIR]
# Signing: set OSTREL_SIGN_CERT and OSTREL_SIGN_KEY (PEM files, or one
# PKCS#12 file in both), OSTREL_SIGN_PASS for its password, and optionally
# OSTREL_SIGN_TIMESTAMP, the URL of an RFC 3161 time-stamp server.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
dist=$root/dist
while [ $# -gt 0 ]; do
    case $1 in
        --build-dir) build=$2; shift 2 ;;
        --dist-dir) dist=$2; shift 2 ;;
        -h|--help) sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "release.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
mkdir -p "$build" "$dist"
build=$(cd "$build" && pwd)
dist=$(cd "$dist" && pwd)
cd "$root"

scripts/install-deps.sh

# Every time inside the zip is the commit's time.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
        { echo "release.sh: no git commit here; set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
export TZ=UTC LC_ALL=C
# Flags from the calling shell would change the bytes.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS
umask 022
if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    echo "Note: the working tree has uncommitted changes; this zip is not that of commit $(git rev-parse --short HEAD)."
fi

# Only what ships is built: no tests, no benchmark. The folders are those of
# the win32 and win64 presets, so that `--build-dir build` packs what they
# built; a folder configured otherwise is configured anew.
targets="Ostrel ostrelscan bavhost eicarscan"
for preset in win32 win64; do
    case $preset in
        win32) toolchain=mingw-i686 ;;
        win64) toolchain=mingw-x86_64 ;;
    esac
    folder=$build/$preset
    if ! grep -q "^CMAKE_BUILD_TYPE:STRING=Release$" "$folder/CMakeCache.txt" 2>/dev/null ||
       ! grep -q "^CMAKE_TOOLCHAIN_FILE:[A-Z]*=$root/cmake/$toolchain.cmake$" "$folder/CMakeCache.txt"; then
        cmake -S "$root" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" >/dev/null
    fi
    cmake --build "$folder" --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-2}" --target $targets
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/win32/CMakeCache.txt")
[ -n "$version" ] || { echo "release.sh: no project version in the build" >&2; exit 1; }

stage=$build/zip
rm -rf "$stage"
mkdir -p "$stage/x86" "$stage/x64" "$stage/tools/x86" "$stage/tools/x64" "$stage/lang"
# The plug-in and the scanner it runs by default side by side, so the
# configuration dialog finds the scanner beside the plug-in.
for arch in x86 x64; do
    case $arch in
        x86) bin=$build/win32/bin ;;
        x64) bin=$build/win64/bin ;;
    esac
    cp "$bin/Ostrel.bav" "$bin/ostrelscan.exe" "$stage/$arch/"
    sed 's/\r$//; s/$/\r/' packaging/ostrelscan.ini.sample >"$stage/$arch/ostrelscan.ini.sample"
    for tool in bavhost eicarscan; do
        cp "$bin/$tool.exe" "$stage/tools/$arch/"
    done
done
cp lang/Deutsch.lng lang/Russian.lng lang/Ukrainian.lng "$stage/lang/"
# Text for Windows users: CRLF line endings.
sed "s/@VERSION@/$version/g; s/\r\$//; s/\$/\r/" packaging/README.txt >"$stage/README.txt"
sed 's/\r$//; s/$/\r/' LICENSE >"$stage/LICENSE.txt"

pe_files=$(cd "$stage" && find . -name '*.bav' -o -name '*.exe' | sed 's|^\./||' | sort)
if [ -n "${OSTREL_SIGN_CERT:-}" ] && [ -n "${OSTREL_SIGN_KEY:-}" ]; then
    if head -c 11 "$OSTREL_SIGN_KEY" | grep -q -- '-----BEGIN'; then
        set -- -certs "$OSTREL_SIGN_CERT" -key "$OSTREL_SIGN_KEY"
    else
        set -- -pkcs12 "$OSTREL_SIGN_KEY"
    fi
    # The password goes through a private file, not the process list.
    passfile=""
    if [ -n "${OSTREL_SIGN_PASS:-}" ]; then
        passfile=$(mktemp)
        trap 'rm -f "$passfile"' EXIT
        printf '%s' "$OSTREL_SIGN_PASS" >"$passfile"
        set -- "$@" -readpass "$passfile"
    fi
    [ -z "${OSTREL_SIGN_TIMESTAMP:-}" ] || set -- "$@" -ts "$OSTREL_SIGN_TIMESTAMP"
    for file in $pe_files; do
        # The commit's time as signing time: the same key signs to the same bytes.
        osslsigncode sign "$@" -h sha256 -n Ostrel -time "$SOURCE_DATE_EPOCH" \
                     -in "$stage/$file" -out "$stage/$file.signed" >/dev/null
        mv "$stage/$file.signed" "$stage/$file"
    done
    [ -z "$passfile" ] || rm -f "$passfile"
    echo "Signed with $(openssl x509 -noout -subject -in "$OSTREL_SIGN_CERT" 2>/dev/null || echo "$OSTREL_SIGN_KEY")."
else
    echo "Unsigned: set OSTREL_SIGN_CERT and OSTREL_SIGN_KEY to sign the .bav and .exe files."
fi

(cd "$stage" && find . -type f | sed 's|^\./||' | sort | xargs sha256sum) >"$build/SHA256SUMS.txt"
mv "$build/SHA256SUMS.txt" "$stage/"

# Fixed entry times, modes and order; no owner or extra time fields (-X).
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
zip_name=Ostrel-$version.zip
rm -f "$build/$zip_name"
(cd "$stage" && find . -type f | sed 's|^\./||' | sort | zip -X -D -9 -q "$build/$zip_name" -@)

sh packaging/check-release.sh "$build/$zip_name" "$version" "$root" "$build" "${HOME:-/nonexistent}"
mv "$build/$zip_name" "$dist/$zip_name"
(cd "$dist" && sha256sum "$zip_name" >"$zip_name.sha256")
echo "Wrote $dist/$zip_name ($(wc -c <"$dist/$zip_name") bytes): $(cut -d' ' -f1 "$dist/$zip_name.sha256")"
