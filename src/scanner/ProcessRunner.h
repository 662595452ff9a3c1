#pragma once

#include "base/Exception.h"
#include "base/UniqueResource.h"
#include "scanner/LineAssembler.h"
#include "scanner/StartedProcess.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

class EProcessError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EProcessError"; }
};

enum class TStartupShowWindow { swHide, swMinimize, swMaximize, swNormal };

// Start-up options of the child: its window's state.
struct TStartupOptions {
    TStartupShowWindow ShowWindow = TStartupShowWindow::swNormal;
    bool DefaultWindowState = true;

    // Fills a zeroed record.
    void Fill(STARTUPINFOA& info) const;
};

enum class TProcessPriority { ppIdle, ppNormal, ppHigh, ppRealTime };

enum TConsoleOption : unsigned {
    coOwnerData = 1,  // complete lines are not collected in OutputLines
    coRedirect = 2,   // standard input, output and error through pipes
};

enum class TProcessState { Ready, Running, Waiting };

// Starts a child process and, in redirect mode, captures its console output.
// Output and the end of the run arrive as events on the owner thread (the
// one that calls Run) while it waits in WaitForEvents; no thread or window
// is made for a run.
class TProcessRunner {
public:
    using TerminateEvent = std::function<void(TProcessRunner& sender, uint32_t exitCode)>;
    using ReadEvent = std::function<void(TProcessRunner& sender, const std::string& text)>;
    using RawReadEvent = std::function<void(TProcessRunner& sender, std::string_view bytes)>;

    TProcessRunner() = default;
    virtual ~TProcessRunner();
    TProcessRunner(const TProcessRunner&) = delete;
    TProcessRunner& operator=(const TProcessRunner&) = delete;

    std::string ApplicationName;
    std::string CommandLine;
    DWORD CreationFlags = 0;  // CREATE_* flags
    std::string CurrentDirectory;
    std::vector<std::string> Environment;
    TProcessPriority Priority = TProcessPriority::ppNormal;
    TStartupOptions StartupInfo;
    unsigned ConsoleOptions = coOwnerData;
    TerminateEvent OnTerminate;
    ReadEvent OnRead;
    RawReadEvent OnRawRead;

    bool WaitForTerminate() const { return waitForTerminate_; }
    void SetWaitForTerminate(bool wait);

    void Run();
    // Sleeps until output or the end of the process is due, a message
    // arrives for this thread, `wakeEvent` (if any) is signalled, or the
    // time is up; then fires the events that are due. True when it woke on
    // `wakeEvent`. An event handler's exception passes to the caller.
    bool WaitForEvents(DWORD milliseconds, HANDLE wakeEvent = nullptr);
    // Kills the process, with exit code EndedByOstrel.
    bool Terminate();
    // Stops watching as Detach does, and hands over the process with its
    // job and its pipes, for whoever decides how its run ends; after the
    // end of a run too, as a program it started may still run and write.
    TStartedProcess DetachProcess() noexcept;
    // Stops watching without killing; no event fires afterwards.
    void Detach();

    TProcessState State() const { return state_; }
    uint32_t ExitCode() const { return exitCode_; }
    // Why the last run has no job: the failed call and its error; empty
    // when it has one.
    const std::string& JobFailure() const { return process_.Tree.Job.Failure(); }
    const std::vector<std::string>& OutputLines() const { return outputLines_; }

private:
    // 1 MiB of output per wake-up.
    static constexpr int MaxPiecesPerWake = 16;

    void FireDueEvents();
    void ReadOutput();
    void ProcessOutput(std::string_view bytes);
    bool WantsLines() const;
    void EmitLine(const std::string& line);
    void FinishRun();

    bool waitForTerminate_ = true;
    TProcessState state_ = TProcessState::Ready;
    // Stays after the end of a run, until the next run or DetachProcess:
    // what it started may still be running, and is the owner's to end.
    TStartedProcess process_;
    uint32_t exitCode_ = 0;
    bool processEnded_ = false;
    bool reading_ = false;  // its output is delivered
    LineAssembler lines_;
    std::vector<std::string> outputLines_;
};

}  // namespace ostrel
