#!/bin/sh
# Proves with binutils alone that each program carries the stack protector
# with the project's guard: the guard's module, recognised by its report, is
# linked only where protected code refers to the guard; its seed is drawn
# with RtlGenRandom; and libssp's seeding, which loads the crypto providers,
# is not linked.
#   check_stack_guard.sh OBJDUMP PROGRAM...
set -u
objdump=$1
shift
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for program in "$@"; do
    imports=$("$objdump" -p "$program") || { fail "objdump cannot read $program"; continue; }
    grep -q "stack smashing detected \*\*\*:  terminated" "$program" ||
        fail "$program: built without the stack protector, or with libssp's guard"
    echo "$imports" | grep -q "SystemFunction036\$" || fail "$program: its guard is not seeded by RtlGenRandom"
    echo "$imports" | grep -q "CryptAcquireContext" && fail "$program: links libssp's seeding (CryptAcquireContext)"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "stack protector with the RtlGenRandom guard, no crypto providers: $*"
