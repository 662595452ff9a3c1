#pragma once

#include "base/Exception.h"
#include "base/UniqueResource.h"
#include "scanner/LineAssembler.h"
#include "scanner/WatchThreads.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

class EProcessError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EProcessError"; }
};

enum class TStartupShowWindow { swHide, swMinimize, swMaximize, swNormal };

// Window and start-up options of the child.
struct TStartupOptions {
    std::string Desktop;
    std::string Title;
    int Left = 0;
    int Top = 0;
    bool DefaultPosition = true;
    int Width = 0;
    int Height = 0;
    bool DefaultSize = true;
    TStartupShowWindow ShowWindow = TStartupShowWindow::swNormal;
    bool DefaultWindowState = true;
    bool ForceOnFeedback = false;
    bool ForceOffFeedback = false;

    // Fills a zeroed record; it points into this object's strings.
    void Fill(STARTUPINFOA& info) const;
};

enum TCreationFlag : DWORD {
    cfDefaultErrorMode = CREATE_DEFAULT_ERROR_MODE,
    cfNewConsole = CREATE_NEW_CONSOLE,
    cfNewProcGroup = CREATE_NEW_PROCESS_GROUP,
    cfSeparateWdm = CREATE_SEPARATE_WOW_VDM,
    cfSharedWdm = CREATE_SHARED_WOW_VDM,
    cfSuspended = CREATE_SUSPENDED,
    cfUnicode = CREATE_UNICODE_ENVIRONMENT,
    cfDetached = DETACHED_PROCESS,
};

enum class TProcessPriority { ppIdle, ppNormal, ppHigh, ppRealTime };

enum TConsoleOption : unsigned {
    coOwnerData = 1,  // complete lines are not collected in OutputLines
    coRedirect = 2,   // standard input, output and error through pipes
};

enum class TProcessState { Ready, Running, Waiting };

// Starts a child process and, in redirect mode, captures its console output.
// Output and the end of the run arrive as events on the owner thread (the
// one that calls Run) while that thread processes its window messages.
class TProcessRunner {
public:
    using TerminateEvent = std::function<void(TProcessRunner& sender, uint32_t exitCode)>;
    using ReadEvent = std::function<void(TProcessRunner& sender, const std::string& text)>;

    TProcessRunner();
    virtual ~TProcessRunner();
    TProcessRunner(const TProcessRunner&) = delete;
    TProcessRunner& operator=(const TProcessRunner&) = delete;

    std::string ApplicationName;
    std::string CommandLine;
    DWORD CreationFlags = 0;  // TCreationFlag members
    std::string CurrentDirectory;
    std::vector<std::string> Environment;
    TProcessPriority Priority = TProcessPriority::ppNormal;
    TStartupOptions StartupInfo;
    unsigned ConsoleOptions = coOwnerData;
    TerminateEvent OnTerminate;
    ReadEvent OnRead;
    ReadEvent OnRawRead;

    bool WaitForTerminate() const { return waitForTerminate_; }
    void SetWaitForTerminate(bool wait);

    void Run();
    // Kills the process by its id, with exit code 0.
    bool Terminate();
    // Stops watching without killing; no event fires afterwards.
    void Detach();

    TProcessState State() const { return state_; }
    uint32_t ExitCode() const { return exitCode_; }
    DWORD ProcessId() const { return processId_; }
    const std::vector<std::string>& OutputLines() const { return outputLines_; }

    // An event handler's exception, caught at the window procedure, for the
    // owner to raise again from its message loop.
    std::exception_ptr TakeEventError();

private:
    static LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND NotifyWindow();
    void HandleNotice(UINT message, uintptr_t serial);
    void DrainOutput();
    void ProcessOutput(const std::string& bytes);
    void EmitLine(const std::string& line);
    void WaitThreadDone();
    void ReadThreadDone();
    void FinishRun();
    void CloseProcessHandles();

    bool waitForTerminate_ = true;
    TProcessState state_ = TProcessState::Ready;
    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD processId_ = 0;
    uint32_t exitCode_ = 0;
    uintptr_t runSerial_ = 0;
    UniqueWindow notifyWindow_;
    std::unique_ptr<TProcessWaitThread> waitThread_;
    std::unique_ptr<TPipeReadThread> readThread_;
    LineAssembler lines_;
    std::vector<std::string> outputLines_;
    std::exception_ptr eventError_;
    char transferBuffer_[1024];
};

}  // namespace ostrel
