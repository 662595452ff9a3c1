// The stack protector's guard, its seed and its failure report, in place of
// those of the toolchain's libssp. libssp seeds its guard through
// CryptAcquireContextA, which loads the crypto providers and with them
// user32, gdi32 and imm32: a cost on every start of every program. Defining
// both symbols libssp would be linked for keeps it out of the link.
#include <windows.h>
// ntsecapi.h needs the types of windows.h first.
#include <ntsecapi.h>

#include <cstdint>

extern "C" {

// Copied into a protected function's frame on entry, compared on return.
uintptr_t __stack_chk_guard;

// A changed copy means the frame was overwritten: nothing in the process can
// be trusted, so it ends at once, beyond the reach of any exception handler
// of a host. The report is libssp's, on the console as libssp writes it.
[[noreturn]] __attribute__((no_stack_protector)) void __stack_chk_fail()
{
    static const char report[] = "*** stack smashing detected ***:  terminated\n";
    // The console is left to the end of the process, which comes next.
    const HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(console, report, sizeof report - 1, &written, nullptr);
    }
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    for (;;) {  // TerminateProcess does not return for its own process
    }
}

}  // extern "C"

namespace {

// The seed must be in place before a protected function starts, or that
// function fails its check on return. The toolchain's start-up code, which
// calls constructors, is built without the protector, and priority 101
// runs this before every other constructor, so before any code of ours; a
// TLS callback of the runtime that ran earlier has returned. This function
// itself is unprotected, since it changes the value it would compare.
// RtlGenRandom draws from the system's random generator, as CryptGenRandom
// does, without the crypto providers. Should it fail, the guard becomes the
// terminator value libssp falls back to: a zero, a line feed and 0xff stop
// most string copies at the guard.
__attribute__((constructor(101), no_stack_protector)) void SeedStackGuard()
{
    uintptr_t seed = 0;
    if (!RtlGenRandom(&seed, sizeof seed) || seed == 0) {
        seed = static_cast<uintptr_t>(0xff0a) << (8 * sizeof seed - 16);
    }
    __stack_chk_guard = seed;
}

}  // namespace
