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
// function fails its check on return. Nothing of the toolchain's runtime is
// built with the protector, and the runtime calls constructors before main
// or DllMain; priority 101 runs this one before every other constructor, so
// before any code of ours. This function is unprotected itself, as it
// changes the value it would compare.
// The seed is as unpredictable as libssp's: RtlGenRandom is the system's
// generator behind CryptGenRandom, reached without the crypto providers.
// Should it fail, the guard becomes libssp's fallback, a terminator: its
// zero, line feed and 0xff bytes stop most string copies at the guard.
__attribute__((constructor(101), no_stack_protector)) void SeedStackGuard()
{
    uintptr_t seed = 0;
    if (!RtlGenRandom(&seed, sizeof seed) || seed == 0) {
        seed = static_cast<uintptr_t>(0xff0a) << (8 * sizeof seed - 16);
    }
    __stack_chk_guard = seed;
}

}  // namespace
