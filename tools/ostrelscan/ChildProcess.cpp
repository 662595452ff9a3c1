#include "ChildProcess.h"

#include "Deadline.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"
#include "scanner/InheritedHandles.h"
#include "scanner/ProcessTree.h"

#include <windows.h>

#include <algorithm>
#include <vector>

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
        const std::size_t kept = run.output.size() < limit ? std::min<std::size_t>(got, limit - run.output.size()) : 0;
        run.output.append(buffer, kept);
        run.outputCut = run.outputCut || kept < got;
    }
}

}  // namespace

ChildRun RunHidden(const std::string& program, const std::string& commandLine, unsigned long timeoutMs,
                   std::size_t outputLimit, const std::string& folder)
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
    // The engine gets its own standard handles and nothing else of ours,
    // least of all the plug-in's pipe: what the engine starts may outlive
    // this run, and would hold the plug-in's wait open.
    TInheritedHandles inherited(nothing ? std::vector<HANDLE>{nothing.get(), writeEnd.get()}
                                        : std::vector<HANDLE>{writeEnd.get()});
    DWORD flags = CREATE_NO_WINDOW | CREATE_SUSPENDED;
    STARTUPINFOA* startupRecord = inherited.StartupRecord(startup, flags);
    std::string line = commandLine;  // CreateProcess may write into it
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, flags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), startupRecord, &started)) {
        run.failure = "cannot start " + program + ": " + SystemErrorMessage(GetLastError(), program);
        return run;
    }
    const UniqueHandle thread(started.hThread);
    // In a job of its own before it runs, so a time-out ends what it started too.
    TProcessTree engine;
    engine.Adopt(UniqueHandle(started.hProcess));
    // On every way out, a throw's included, nothing of the run lives on;
    // a tree that has ended already is not touched by this.
    const ScopeExit endTree([&engine] { engine.End(); });
    if (ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        run.failure = "cannot start " + program + ": " + SystemErrorMessage(GetLastError(), program);
        return run;
    }
    // Only the engine holds the write end now, so the pipe breaks when it ends.
    writeEnd.reset();

    bool ended = false;
    while (!ended) {
        const bool open = Drain(readEnd.get(), run, outputLimit);
        const DWORD wait = !open ? deadline.Left() : std::min<DWORD>(deadline.Left(), 10);
        ended = WaitForSingleObject(engine.Process.get(), wait) == WAIT_OBJECT_0;
        if (!ended && deadline.Passed()) {
            engine.End();
            run.failure = "the program did not end within " + std::to_string(deadline.Budget() / 1000) +
                          " s and was stopped";
            if (!engine.WaitUntilEnded(TreeEndWaitMilliseconds)) {
                run.failure += ", but it or a program it started was still running " +
                               std::to_string(TreeEndWaitMilliseconds / 1000) + " s later";
            }
            return run;
        }
    }
    // What it printed just before its end; a child of its own may still hold the pipe.
    Drain(readEnd.get(), run, outputLimit);
    DWORD exitCode = 0;
    GetExitCodeProcess(engine.Process.get(), &exitCode);
    run.exitCode = exitCode;
    // The answer is in: what the engine started and left running goes with it.
    if (!engine.WaitUntilEnded(0)) {
        engine.End();
        engine.WaitUntilEnded(TreeEndWaitMilliseconds);
    }
    return run;
}

}  // namespace ostrel::ostrelscan
