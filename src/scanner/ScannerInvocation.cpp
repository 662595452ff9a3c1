#include "scanner/ScannerInvocation.h"

#include "base/AnsiString.h"
#include "base/FilePath.h"
#include "base/UniqueResource.h"

namespace ostrel {

namespace {

constexpr const char* OutputHeading = "Output: \r\n";

// Delivers everything else the thread is sent, so the host's windows stay
// alive during a run. A quit request is kept for the host's own loop. A
// Unicode window gets its messages through the W functions, or characters
// outside the code page would reach it as "?".
void ProcessPendingMessages(bool& quitRequested, int& quitCode)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        const bool unicode = message.hwnd != nullptr && IsWindowUnicode(message.hwnd);
        if (!(unicode ? PeekMessageW : PeekMessageA)(&message, nullptr, 0, 0, PM_REMOVE)) {
            break;
        }
        if (message.message == WM_QUIT) {
            quitRequested = true;
            quitCode = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        if (unicode) {
            DispatchMessageW(&message);
        } else {
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

TScannerRunner::TScannerRunner()
{
    // The run reads the raw output; nobody needs it as lines.
    ConsoleOptions = coRedirect | coOwnerData;
    StartupInfo.DefaultWindowState = false;
    StartupInfo.ShowWindow = TStartupShowWindow::swHide;
    SetWaitForTerminate(true);
}

TScannerRun::TScannerRun(TScanRunSettings settings, LogSink& log, TMessageTexts& texts)
    : settings_(std::move(settings)), log_(log), texts_(texts), output_(settings_.EndString)
{
    runner_.OnRawRead = [this](TProcessRunner&, std::string_view bytes) { HandleRawRead(bytes); };
    runner_.OnTerminate = [this](TProcessRunner&, uint32_t) { done_ = true; };
}

void TScannerRun::HandleRawRead(std::string_view bytes)
{
    if (done_) {
        return;
    }
    const std::string_view text = output_.Feed(bytes);
    if (settings_.OnOutput) {
        settings_.OnOutput(text);
    }
    if (settings_.LogAVPOutput) {
        KeepForLog(text);
    }
    if (output_.MarkerSeen()) {
        done_ = true;
    }
}

// A scanner that never stops printing must not take the host's memory.
void TScannerRun::KeepForLog(std::string_view bytes)
{
    const std::size_t room = MaxLoggedOutput - std::min(loggedOutput_.size(), MaxLoggedOutput);
    loggedOutput_.append(bytes.substr(0, room));
    loggedOutputCut_ = loggedOutputCut_ || bytes.size() > room;
}

void TScannerRun::LogJobFailure()
{
    if (!runner_.JobFailure().empty() &&
        (settings_.JobFailureLogged == nullptr || !settings_.JobFailureLogged->test_and_set())) {
        log_.WriteLog("The scanner runs without a job object (" + runner_.JobFailure() +
                          "): a time-out ends the scanner but not the programs it starts",
                      LogDetails);
    }
}

// Waits for the end of the run or its end marker, the time limit, or the
// cancel event. The limit wins over an end in the same pass, and so does
// a cancel.
TScannerRun::WaitEnd TScannerRun::WaitForRun(DWORD start)
{
    const DWORD limit = settings_.TimeLimitMilliseconds;
    bool quitRequested = false;
    int quitCode = 0;
    ScopeExit keepQuit([&] {
        if (quitRequested) {
            PostQuitMessage(quitCode);
        }
    });
    bool cancelled = Cancelled();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        ProcessPendingMessages(quitRequested, quitCode);
        if (elapsed > limit) {
            return WaitEnd::TimedOut;
        }
        if (cancelled) {
            return WaitEnd::Cancelled;
        }
        if (done_) {
            return WaitEnd::Done;
        }
        cancelled = runner_.WaitForEvents(limit - elapsed + 1, settings_.CancelEvent);
    }
}

bool TScannerRun::Cancelled() const
{
    return settings_.CancelEvent != nullptr && WaitForSingleObject(settings_.CancelEvent, 0) == WAIT_OBJECT_0;
}

ScanResult TScannerRun::Execute(bool isCure, const std::string& commandLine, const std::string& currentDir,
                                std::string& msg)
{
    msg.clear();
    const std::string program = TrimBlanks(settings_.AVPExeName);
    // A path past the system's limit, cut short in an ini file, is the
    // runner's to refuse in its own words.
    if (program.size() < MAX_PATH && !IsProgramFile(program)) {
        throw EProcessError("The scanner is not run: \"" + program + "\" is not a program file (.exe or .com)");
    }
    runner_.ApplicationName = settings_.AVPExeName;
    // Every Windows program takes the first word of its command line as its
    // own name: the parameters follow the quoted program.
    runner_.CommandLine = "\"" + program + "\" " + commandLine;
    runner_.CurrentDirectory = currentDir;
    log_.WriteLogFmt("DoExecute Command=%s / Params=%s / CurrentDir=%s",
                     {runner_.ApplicationName, commandLine, runner_.CurrentDirectory}, LogCalls);
    if (settings_.LogAVPOutput) {
        loggedOutput_ = OutputHeading;
    }

    const DWORD start = GetTickCount();
    runner_.Run();
    WaitEnd end = WaitEnd::Done;
    bool treeEnded = true;
    {
        // However this block is left, an error's way included, the
        // scanner's tree is settled with it.
        ScopeExit settle([&] { treeEnded = Settle(isCure); });
        LogJobFailure();
        end = WaitForRun(start);
    }

    if (settings_.LogAVPOutput) {
        if (loggedOutputCut_) {
            loggedOutput_ += "\r\n(Output cut: the log keeps its first " +
                             std::to_string(MaxLoggedOutput >> 20) + " MiB.)";
        }
        log_.WriteLog(loggedOutput_, LogAlways);
        loggedOutput_ = std::string();
    }
    if (end == WaitEnd::TimedOut) {
        const DWORD seconds = settings_.TimeLimitMilliseconds / 1000;
        log_.WriteLog(texts_.Format(MessageKey::SExecTimeOut, {seconds}), LogAlways);
    } else if (end == WaitEnd::Cancelled) {
        log_.WriteLog("The scanner run was cancelled", LogAlways);
    }
    if (!treeEnded) {
        log_.WriteLog("The scanner or a program it started was still running " +
                          std::to_string(TreeEndWaitMilliseconds / 1000) +
                          " s after they were ended: the file may still be open",
                      LogAlways);
    }
    return end == WaitEnd::Done ? output_.Result(isCure, msg) : ScanResult::TimedOut;
}

// How a run ends, in one place. Whatever of it still runs once the answer
// is known, or once an error gives the run up, goes with the run: the
// scanner after its end marker or its time-out, or a program it started
// and left behind. A check only reads the file: it is ended at once with
// everything it started, and the answer waits until they are gone, since
// the host deletes the file as soon as it has it. A cure may be rewriting
// the file: cut off halfway it could leave it broken, so it gets a grace
// to finish, its output still read, before it is ended. False when
// something still runs after the wait.
bool TScannerRun::Settle(bool isCure) noexcept
{
    TStartedProcess process = runner_.DetachProcess();
    if (process.Ended(0)) {
        return true;
    }
    if (isCure && settings_.CureGrace != nullptr) {
        settings_.CureGrace->Give(std::move(process), settings_.GraceMilliseconds);
        return true;
    }
    process.Tree.End();
    return process.Ended(TreeEndWaitMilliseconds);
}

ScanResult DoExecute(const TScanRunSettings& settings, LogSink& log, TMessageTexts& texts, bool isCure,
                     const std::string& commandLine, const std::string& currentDir, std::string& msg)
{
    TScannerRun run(settings, log, texts);
    return run.Execute(isCure, commandLine, currentDir, msg);
}

}  // namespace ostrel
