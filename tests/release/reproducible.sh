#!/bin/sh
# Builds the release twice, from this tree and from a copy of it at another
# path, into different build folders, and requires byte-identical zips.
#   reproducible.sh WORKDIR
# This tree's release is built in the presets' folders (build/win32 and
# build/win64), which the full test run has built already; the copy is
# built from scratch every time, so a stale build cannot hide a difference.
set -eu
. "$(dirname "$0")/setup.sh"

other=$work/elsewhere
rm -rf "$other" "$work/a-dist"
trap 'rm -rf "$other"' EXIT
mkdir -p "$other/source"
(cd "$root" && tar -c --exclude=./.git --exclude=./build --exclude=./dist .) | tar -x -C "$other/source"

start=$(date +%s)
sh "$root/scripts/release.sh" --build-dir "$root/build" --dist-dir "$work/a-dist" >"$work/a.log" 2>&1 ||
    { cat "$work/a.log"; echo "FAIL: first release build"; exit 1; }
sh "$other/source/scripts/release.sh" --build-dir "$other/build" --dist-dir "$other/dist" >"$work/b.log" 2>&1 ||
    { cat "$work/b.log"; echo "FAIL: second release build"; exit 1; }
grep -q '^Unsigned: ' "$work/a.log" || { echo "FAIL: the unsigned release does not say so"; exit 1; }

first=$(ls "$work/a-dist"/Ostrel-*.zip)
second=$other/dist/$(basename "$first")
if ! cmp -s "$first" "$second"; then
    echo "FAIL: $(basename "$first") differs between the two builds"
    mkdir "$other/x1" "$other/x2"
    unzip -q "$first" -d "$other/x1" && unzip -q "$second" -d "$other/x2"
    (cd "$other/x1" && find . -type f | sort | while read -r f; do
        cmp -s "$f" "../x2/$f" || echo "  differs: $f ($(cmp -l "$f" "../x2/$f" 2>/dev/null | wc -l) bytes)"
    done)
    exit 1
fi
echo "$(basename "$first"): identical from $root and from $other/source ($(($(date +%s) - start)) s)"
