#include "ChildProcess.h"

#include "Deadline.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <windows.h>

#include <algorithm>

namespace ostrel::ostrelscan {
namespace {

// Moves what the pipe holds into the output; false once every writer is gone.
bool Drain(HANDLE pipe, ChildRun& run, std::size_t limit)
{
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) {
            return false;
        }
        if (available == 0) {
            return true;
        }
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, available < sizeof buffer ? available : sizeof buffer, &got, nullptr)) {
            return false;
        }
        run.output.append(buffer, run.output.size() < limit ? std::min<std::size_t>(got, limit - run.output.size()) : 0);
    }
}

}  // namespace

ChildRun RunHidden(const std::string& program, const std::string& commandLine,
                   unsigned long timeoutMs, std::size_t outputLimit)
{
    const Deadline deadline(timeoutMs);
    ChildRun run;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueHandle readEnd, writeEnd;
    if (!CreatePipe(readEnd.receive(), writeEnd.receive(), &inheritable, 0) ||
        !SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0)) {
        run.failure = "cannot make a pipe: " + SystemErrorMessage(GetLastError());
        return run;
    }
    const UniqueFile nothing(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &inheritable, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nothing.get();
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    std::string line = commandLine;  // CreateProcess may write into it
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &started)) {
        run.failure = "cannot start " + program + ": " + SystemErrorMessage(GetLastError(), program);
        return run;
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    // Only the child holds the write end now, so the pipe breaks when it ends.
    writeEnd.reset();

    bool ended = false;
    while (!ended) {
        const bool open = Drain(readEnd.get(), run, outputLimit);
        const DWORD wait = !open ? deadline.Left() : std::min<DWORD>(deadline.Left(), 10);
        ended = WaitForSingleObject(process.get(), wait) == WAIT_OBJECT_0;
        if (!ended && deadline.Passed()) {
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 1000);
            run.failure = "the program did not end within " + std::to_string(deadline.Budget() / 1000) +
                          " s and was stopped";
            return run;
        }
    }
    // What it printed just before its end; a child of its own may still hold the pipe.
    Drain(readEnd.get(), run, outputLimit);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    run.exitCode = exitCode;
    return run;
}

}  // namespace ostrel::ostrelscan
