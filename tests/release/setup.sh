# Sourced by the release tests: the source root, the work folder given as
# the first argument (made absolute), and the commit time for the builds,
# which a copy of the tree without .git cannot take from git itself.
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
mkdir -p "$work"
work=$(cd "$work" && pwd)
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)}
export SOURCE_DATE_EPOCH
