#include "scanner/ScannerInvocation.h"

#include "base/AnsiString.h"
#include "lang/FormatMsg.h"

namespace ostrel {

namespace {

constexpr const char* OutputHeading = "Output: \r\n";

// Delivers everything else the thread is sent, so the host's windows stay
// alive during a run. A quit request is kept for the host's own loop.
void ProcessPendingMessages(bool& quitRequested, int& quitCode)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitRequested = true;
            quitCode = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
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

void TScannerRunner::Stop()
{
    Detach();
    if (State() == TProcessState::Running) {
        Terminate();
    }
}

TScannerRun::TScannerRun(TScanRunSettings settings, LogSink& log)
    : settings_(std::move(settings)), log_(log), endMarker_(settings_.EndString)
{
    runner_.OnRawRead = [this](TProcessRunner&, std::string_view bytes) { HandleRawRead(bytes); };
    runner_.OnTerminate = [this](TProcessRunner&, uint32_t) { done_ = true; };
}

void TScannerRun::HandleRawRead(std::string_view bytes)
{
    if (done_) {
        return;
    }
    const std::string converted = ConvertDosUmlauts(bytes);
    report_.Feed(converted);
    if (settings_.LogAVPOutput) {
        loggedOutput_ += converted;
    }
    // The marker is looked for in the bytes as printed.
    if (endMarker_.Feed(bytes)) {
        runner_.Stop();
        done_ = true;
    }
}

// Waits for the end of the run, the end marker or the time limit. True
// when the time ran out.
bool TScannerRun::WaitForRun(DWORD start)
{
    const DWORD limit = settings_.TimeLimitMilliseconds;
    bool quitRequested = false;
    int quitCode = 0;
    bool timedOut = false;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        timedOut = elapsed > limit;
        ProcessPendingMessages(quitRequested, quitCode);
        if (done_ || timedOut) {
            break;
        }
        runner_.WaitForEvents(limit - elapsed + 1);
    }
    if (quitRequested) {
        PostQuitMessage(quitCode);
    }
    return timedOut && !done_;
}

ScanResult TScannerRun::Execute(bool isCure, const std::string& commandLine, const std::string& currentDir,
                                std::string& msg)
{
    msg.clear();
    runner_.ApplicationName = settings_.AVPExeName;
    // Every Windows program takes the first word of its command line as its
    // own name: the parameters follow the quoted program.
    runner_.CommandLine = "\"" + TrimBlanks(settings_.AVPExeName) + "\" " + commandLine;
    runner_.CurrentDirectory = currentDir;
    log_.WriteLogFmt("DoExecute Command=%s / Params=%s / CurrentDir=%s",
                     {runner_.ApplicationName, commandLine, runner_.CurrentDirectory}, LogCalls);
    if (settings_.LogAVPOutput) {
        loggedOutput_ = OutputHeading;
    }

    const DWORD start = GetTickCount();
    runner_.Run();
    const bool timedOut = WaitForRun(start);

    if (settings_.LogAVPOutput) {
        log_.WriteLog(loggedOutput_, LogAlways);
        loggedOutput_ = std::string();
    }
    if (!timedOut) {
        return report_.Result(isCure, msg);
    }
    // The run has been given up: end the scanner too, so a hung scanner
    // neither keeps the file open nor piles up with the next ones.
    try {
        runner_.Terminate();
    } catch (const Exception&) {
        // Already gone, or not ours to end: it is left to run as before.
    }
    runner_.Stop();
    done_ = true;
    const DWORD seconds = settings_.TimeLimitMilliseconds / 1000;
    log_.WriteLog(FormatMessageText(MessageKey::SExecTimeOut, {seconds}), LogAlways);
    return ScanResult::TimedOut;
}

ScanResult DoExecute(const TScanRunSettings& settings, LogSink& log, bool isCure, const std::string& commandLine,
                     const std::string& currentDir, std::string& msg)
{
    TScannerRun run(settings, log);
    return run.Execute(isCure, commandLine, currentDir, msg);
}

}  // namespace ostrel
