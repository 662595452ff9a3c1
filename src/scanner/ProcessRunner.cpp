#include "scanner/ProcessRunner.h"

#include "base/AnsiString.h"
#include "base/Handles.h"
#include "base/WinError.h"
#include "scanner/InheritedHandles.h"

#include <utility>

namespace ostrel {

namespace {

constexpr const char* RunningError = "Can't perform this operation when process is running";
constexpr std::size_t MaxCommandLine = 32768;

DWORD PriorityClass(TProcessPriority priority)
{
    switch (priority) {
    case TProcessPriority::ppIdle: return IDLE_PRIORITY_CLASS;
    case TProcessPriority::ppHigh: return HIGH_PRIORITY_CLASS;
    case TProcessPriority::ppRealTime: return REALTIME_PRIORITY_CLASS;
    case TProcessPriority::ppNormal: break;
    }
    return NORMAL_PRIORITY_CLASS;
}

WORD ShowCommand(TStartupShowWindow show)
{
    switch (show) {
    case TStartupShowWindow::swHide: return SW_HIDE;
    case TStartupShowWindow::swMinimize: return SW_SHOWMINIMIZED;
    case TStartupShowWindow::swMaximize: return SW_SHOWMAXIMIZED;
    case TStartupShowWindow::swNormal: break;
    }
    return SW_SHOWNORMAL;
}

// Zero-terminated entries and one more zero; none when there are no entries.
std::string EnvironmentBlock(const std::vector<std::string>& entries)
{
    std::string block;
    for (const std::string& entry : entries) {
        if (entry.empty()) {
            throw EProcessError("Environment entries must not be empty strings.");
        }
        block += entry;
        block += '\0';
    }
    if (!block.empty()) {
        block += '\0';
    }
    return block;
}

struct ConsolePipes {
    UniqueHandle childInput;
    UniqueHandle childOutput;
    UniqueHandle childError;
    UniqueHandle parentInput;
    UniqueHandle parentOutput;
};

// The child's standard handles. Only the child's ends are inheritable, so
// the child holds only its own and the output pipe ends with the child.
// The output pipe, which carries the scanner's report, is this user's
// alone (see CreateOutputPipe); the input pipe is anonymous, under the
// process's default security, and nothing is ever written into it.
ConsolePipes CreateConsolePipes()
{
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};

    ConsolePipes pipes;
    OutputPipe output = CreateOutputPipe();
    pipes.childOutput = std::move(output.childWriteEnd);
    pipes.parentOutput = std::move(output.parentReadEnd);
    pipes.childError = DuplicateLocalHandle(pipes.childOutput.get(), true);
    UniqueHandle inputWrite;
    if (!CreatePipe(pipes.childInput.receive(), inputWrite.receive(), &attributes, 0)) {
        RaiseLastOSError("CreatePipe");
    }
    pipes.parentInput = DuplicateLocalHandle(inputWrite.get(), false);
    return pipes;
}

// Lets go of a process, its job and its pipes, ending nothing.
void CloseProcess(TStartedProcess process)
{
    DWORD error = ERROR_SUCCESS;
    for (HANDLE handle : {process.Tree.Process.release(), process.Thread.release()}) {
        if (handle != nullptr && !CloseHandle(handle)) {
            error = GetLastError();
        }
    }
    if (error != ERROR_SUCCESS) {
        RaiseOSError(error, "CloseHandle");
    }
}

}  // namespace

void TStartupOptions::Fill(STARTUPINFOA& info) const
{
    info.cb = sizeof info;
    if (!DefaultWindowState) {
        info.wShowWindow = ShowCommand(ShowWindow);
        info.dwFlags |= STARTF_USESHOWWINDOW;
    }
}

TProcessRunner::~TProcessRunner()
{
    try {
        Detach();
    } catch (const Exception&) {
        // A handle the system refuses to close is lost; the host is not.
    }
}

void TProcessRunner::SetWaitForTerminate(bool wait)
{
    if (state_ == TProcessState::Waiting) {
        throw EProcessError(RunningError);
    }
    waitForTerminate_ = wait;
    state_ = TProcessState::Ready;
}

void TProcessRunner::Run()
{
    if (state_ == TProcessState::Waiting) {
        throw EProcessError(RunningError);
    }
    lines_.Reset();
    CloseProcess(DetachProcess());

    DWORD flags = PriorityClass(Priority) | CreationFlags;
    const std::string application = TrimBlanks(ApplicationName);
    // The system's limits, checked here: past them some systems do not fail
    // the call but crash in it.
    if (application.size() >= MAX_PATH) {
        throw EProcessError("The program path is longer than " + std::to_string(MAX_PATH - 1) + " characters");
    }
    if (CommandLine.size() >= MaxCommandLine) {
        throw EProcessError("The command line is longer than " + std::to_string(MaxCommandLine - 1) +
                            " characters");
    }
    const std::string directory = TrimBlanks(CurrentDirectory);
    std::string environment = EnvironmentBlock(Environment);
    STARTUPINFOA startup = {};
    StartupInfo.Fill(startup);

    const bool redirect = (ConsoleOptions & coRedirect) != 0;
    ConsolePipes pipes;
    TStartedProcess started;  // ready before the process, so little can fail after it starts
    if (redirect) {
        pipes = CreateConsolePipes();
        started.Output = std::make_unique<TPipeReader>(std::move(pipes.parentOutput));
        started.InputWriteEnd = std::move(pipes.parentInput);
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = pipes.childInput.get();
        startup.hStdOutput = pipes.childOutput.get();
        startup.hStdError = pipes.childError.get();
    }

    // The child gets its three standard handles and nothing else of the host.
    TInheritedHandles inherited(redirect ? std::vector<HANDLE>{pipes.childInput.get(), pipes.childOutput.get(),
                                                               pipes.childError.get()}
                                         : std::vector<HANDLE>{});
    STARTUPINFOA* startupRecord = inherited.StartupRecord(startup, flags);

    // Suspended until it is in its job, so nothing it starts escapes.
    std::string commandLine = CommandLine;  // CreateProcess may write into it
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), commandLine.data(),
                        nullptr, nullptr, redirect, flags | CREATE_SUSPENDED,
                        environment.empty() ? nullptr : environment.data(),
                        directory.empty() ? nullptr : directory.c_str(), startupRecord, &info)) {
        RaiseLastOSError("CreateProcessA");
    }
    started.Thread.reset(info.hThread);
    try {
        started.Tree.Adopt(UniqueHandle(info.hProcess));
        if (!(CreationFlags & CREATE_SUSPENDED) && ResumeThread(info.hThread) == static_cast<DWORD>(-1)) {
            RaiseLastOSError("ResumeThread");
        }
    } catch (...) {
        started.Tree.End();  // it never ran: nothing of it is left to save
        throw;
    }
    process_ = std::move(started);
    processEnded_ = false;

    if (redirect) {
        reading_ = true;
        state_ = TProcessState::Waiting;
    } else if (waitForTerminate_) {
        state_ = TProcessState::Waiting;
    } else {
        // The process handle stays for Terminate: an id may already name another process.
        WaitForInputIdle(process_.Tree.Process.get(), INFINITE);
        state_ = TProcessState::Running;
    }
}

bool TProcessRunner::WaitForEvents(DWORD milliseconds, HANDLE wakeEvent)
{
    HANDLE handles[3];
    DWORD count = 0;
    // First, so that it is the one reported when others are signalled too.
    if (wakeEvent != nullptr) {
        handles[count++] = wakeEvent;
    }
    if (state_ == TProcessState::Waiting) {
        if (reading_) {
            handles[count++] = process_.Output->Event();
        }
        if (!processEnded_) {
            handles[count++] = process_.Tree.Process.get();
        }
    }
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    FireDueEvents();
    return wakeEvent != nullptr && woken == WAIT_OBJECT_0;
}

bool TProcessRunner::Terminate()
{
    if (state_ == TProcessState::Ready) {
        throw EProcessError("Process is not running");
    }
    return TerminateProcess(process_.Tree.Process.get(), EndedByOstrel) != FALSE;
}

TStartedProcess TProcessRunner::DetachProcess() noexcept
{
    state_ = TProcessState::Ready;
    reading_ = false;
    return std::exchange(process_, TStartedProcess());
}

void TProcessRunner::Detach()
{
    if (state_ == TProcessState::Waiting) {
        CloseProcess(DetachProcess());
    }
}

// Output first, then the end: every byte the process wrote before it ended
// is delivered before OnTerminate.
void TProcessRunner::FireDueEvents()
{
    if (state_ != TProcessState::Waiting) {
        return;
    }
    if (!processEnded_ && WaitForSingleObject(process_.Tree.Process.get(), 0) == WAIT_OBJECT_0) {
        processEnded_ = true;
        DWORD code = 0;
        exitCode_ = GetExitCodeProcess(process_.Tree.Process.get(), &code) ? code : 0;
    }
    if (reading_) {
        ReadOutput();
    }
    if (processEnded_ && !reading_ && state_ == TProcessState::Waiting) {
        FinishRun();
    }
}

// Takes the pieces that are in, at most MaxPiecesPerWake of them, so a
// process that never stops printing still lets the owner look at its clock
// and its messages. Once the process has ended, reading stops when the pipe
// is empty, even if a process it started still holds the pipe; the pipe
// stays with the process, for whoever settles what it left running.
void TProcessRunner::ReadOutput()
{
    for (int piece = 0; piece < MaxPiecesPerWake; ++piece) {
        TPipeReader& output = *process_.Output;
        std::string_view bytes;
        TPipeReader::Result result = output.Poll(bytes);
        if (result == TPipeReader::Result::Pending) {
            if (!(processEnded_ && output.PipeEmpty())) {
                return;
            }
            result = output.Finish(bytes);
        }
        if (result == TPipeReader::Result::Data) {
            ProcessOutput(bytes);
            if (!reading_) {
                return;  // a handler detached the run
            }
            continue;
        }
        reading_ = false;
        if (WantsLines()) {
            lines_.Finish([this](const std::string& line) { EmitLine(line); });
        }
        return;
    }
}

void TProcessRunner::ProcessOutput(std::string_view bytes)
{
    if (OnRawRead) {
        OnRawRead(*this, bytes);
    }
    if (state_ == TProcessState::Waiting && WantsLines()) {
        lines_.Feed(bytes, [this](const std::string& line) { EmitLine(line); });
    }
}

// Lines are assembled only for someone who takes them.
bool TProcessRunner::WantsLines() const
{
    return OnRead || !(ConsoleOptions & coOwnerData);
}

void TProcessRunner::EmitLine(const std::string& line)
{
    if (!(ConsoleOptions & coOwnerData)) {
        outputLines_.push_back(line);
    }
    if (OnRead) {
        OnRead(*this, line);
    }
}

void TProcessRunner::FinishRun()
{
    state_ = TProcessState::Ready;
    process_.InputWriteEnd.reset();
    process_.Thread.reset();
    if (OnTerminate) {
        OnTerminate(*this, exitCode_);
    }
}

}  // namespace ostrel
