#include "scanner/ProcessRunner.h"

#include "base/AnsiString.h"
#include "base/Handles.h"
#include "base/WinError.h"

namespace ostrel {

namespace {

constexpr const char* RunningError = "Can't perform this operation when process is running";

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

// Anonymous pipes for the child's standard handles. The parent's ends are
// not inheritable, so the child holds only its own and the pipe breaks
// when the child ends.
ConsolePipes CreateConsolePipes()
{
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, TRUE};

    ConsolePipes pipes;
    UniqueHandle outputRead;
    UniqueHandle inputWrite;
    if (!CreatePipe(outputRead.receive(), pipes.childOutput.receive(), &attributes, 0)) {
        RaiseLastOSError();
    }
    pipes.childError = DuplicateLocalHandle(pipes.childOutput.get(), true);
    if (!CreatePipe(pipes.childInput.receive(), inputWrite.receive(), &attributes, 0)) {
        RaiseLastOSError();
    }
    pipes.parentOutput = DuplicateLocalHandle(outputRead.get(), false);
    pipes.parentInput = DuplicateLocalHandle(inputWrite.get(), false);
    return pipes;
}

}  // namespace

void TStartupOptions::Fill(STARTUPINFOA& info) const
{
    info.cb = sizeof info;
    if (!Desktop.empty()) {
        info.lpDesktop = const_cast<char*>(Desktop.c_str());
    }
    if (!Title.empty()) {
        info.lpTitle = const_cast<char*>(Title.c_str());
    }
    if (!DefaultPosition) {
        info.dwX = Left;
        info.dwY = Top;
        info.dwFlags |= STARTF_USEPOSITION;
    }
    if (!DefaultSize) {
        info.dwXSize = Width;
        info.dwYSize = Height;
        info.dwFlags |= STARTF_USESIZE;
    }
    if (!DefaultWindowState) {
        info.wShowWindow = ShowCommand(ShowWindow);
        info.dwFlags |= STARTF_USESHOWWINDOW;
    }
    if (ForceOnFeedback) {
        info.dwFlags |= STARTF_FORCEONFEEDBACK;
    }
    if (ForceOffFeedback) {
        info.dwFlags |= STARTF_FORCEOFFFEEDBACK;
    }
}

TProcessRunner::TProcessRunner() = default;

TProcessRunner::~TProcessRunner()
{
    Detach();
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
    state_ = TProcessState::Ready;
    lines_.Reset();
    CloseProcessHandles();
    processId_ = 0;

    const DWORD flags = PriorityClass(Priority) | CreationFlags;
    const std::string application = TrimBlanks(ApplicationName);
    const std::string directory = TrimBlanks(CurrentDirectory);
    std::string environment = EnvironmentBlock(Environment);
    STARTUPINFOA startup = {};
    StartupInfo.Fill(startup);

    const bool redirect = (ConsoleOptions & coRedirect) != 0;
    ConsolePipes pipes;
    if (redirect) {
        pipes = CreateConsolePipes();
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = pipes.childInput.get();
        startup.hStdOutput = pipes.childOutput.get();
        startup.hStdError = pipes.childError.get();
    }

    std::string commandLine = CommandLine;  // CreateProcess may write into it
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), commandLine.data(),
                        nullptr, nullptr, redirect, flags,
                        environment.empty() ? nullptr : environment.data(),
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        RaiseLastOSError();
    }
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    processId_ = info.dwProcessId;

    if (redirect) {
        ++runSerial_;
        HWND window = NotifyWindow();
        waitThread_ = std::make_unique<TConsoleWaitThread>(process_.get(), std::move(pipes.parentInput),
                                                           window, runSerial_);
        readThread_ = std::make_unique<TPipeReadThread>(std::move(pipes.parentOutput), window, runSerial_);
        state_ = TProcessState::Waiting;
    } else if (waitForTerminate_) {
        ++runSerial_;
        waitThread_ = std::make_unique<TProcessWaitThread>(process_.get(), NotifyWindow(), runSerial_);
        state_ = TProcessState::Waiting;
    } else {
        WaitForInputIdle(process_.get(), INFINITE);
        CloseProcessHandles();
        state_ = TProcessState::Running;
    }
}

bool TProcessRunner::Terminate()
{
    if (state_ == TProcessState::Ready) {
        throw EProcessError("Process is not running");
    }
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId_));
    if (!process) {
        RaiseLastOSError();
    }
    return TerminateProcess(process.get(), 0) != FALSE;
}

void TProcessRunner::Detach()
{
    if (state_ != TProcessState::Waiting) {
        return;
    }
    waitThread_.reset();
    readThread_.reset();
    state_ = TProcessState::Ready;
    CloseProcessHandles();
}

std::exception_ptr TProcessRunner::TakeEventError()
{
    return std::exchange(eventError_, nullptr);
}

// A message-only window of a system class with this runner's procedure:
// nothing is registered, so nothing outlives an unloaded plug-in.
HWND TProcessRunner::NotifyWindow()
{
    if (!notifyWindow_) {
        notifyWindow_.reset(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            nullptr, nullptr));
        if (!notifyWindow_) {
            RaiseLastOSError();
        }
        SetWindowLongPtrA(notifyWindow_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(notifyWindow_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NotifyProc));
    }
    return notifyWindow_.get();
}

LRESULT CALLBACK TProcessRunner::NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_RUNNER_OUTPUT && message != WM_RUNNER_WAIT_DONE &&
        message != WM_RUNNER_READ_DONE) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    auto* runner = reinterpret_cast<TProcessRunner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    try {
        runner->HandleNotice(message, static_cast<uintptr_t>(lParam));
    } catch (...) {
        runner->eventError_ = std::current_exception();
    }
    return 0;
}

void TProcessRunner::HandleNotice(UINT message, uintptr_t serial)
{
    if (message == WM_RUNNER_OUTPUT) {
        DrainOutput();
    } else if (serial == runSerial_ && message == WM_RUNNER_WAIT_DONE && waitThread_) {
        WaitThreadDone();
    } else if (serial == runSerial_ && message == WM_RUNNER_READ_DONE && readThread_) {
        ReadThreadDone();
    }
}

void TProcessRunner::DrainOutput()
{
    std::size_t count = 0;
    while (readThread_ && readThread_->TakeChunk(transferBuffer_, sizeof transferBuffer_, count)) {
        ProcessOutput(std::string(transferBuffer_, count));
    }
}

void TProcessRunner::ProcessOutput(const std::string& bytes)
{
    if (OnRawRead) {
        OnRawRead(*this, bytes);
    }
    lines_.Feed(bytes, [this](const std::string& line) { EmitLine(line); });
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

// The process has ended. The reader still delivers what the process wrote
// before it ended; the run finishes when both threads are done.
void TProcessRunner::WaitThreadDone()
{
    exitCode_ = waitThread_->ExitCode();
    const bool console = waitThread_->IsConsole();
    waitThread_.reset();
    if (console && readThread_) {
        readThread_->ProcessEnded();
    }
    if (!readThread_) {
        FinishRun();
    }
}

void TProcessRunner::ReadThreadDone()
{
    DrainOutput();
    if (readThread_) {
        lines_.Finish([this](const std::string& line) { EmitLine(line); });
    }
    readThread_.reset();
    if (!waitThread_ && state_ == TProcessState::Waiting) {
        FinishRun();
    }
}

void TProcessRunner::FinishRun()
{
    state_ = TProcessState::Ready;
    CloseProcessHandles();
    if (OnTerminate) {
        OnTerminate(*this, exitCode_);
    }
}

void TProcessRunner::CloseProcessHandles()
{
    DWORD error = ERROR_SUCCESS;
    for (HANDLE handle : {process_.release(), thread_.release()}) {
        if (handle != nullptr && !CloseHandle(handle)) {
            error = GetLastError();
        }
    }
    if (error != ERROR_SUCCESS) {
        RaiseOSError(error);
    }
}

}  // namespace ostrel
