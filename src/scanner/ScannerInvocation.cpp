#include "scanner/ScannerInvocation.h"

#include "base/AnsiString.h"
#include "base/TextLines.h"
#include "lang/MessageTexts.h"
#include "log/LogFacade.h"
#include "plugin/OstrelConstVars.h"
#include "scanner/ScanReport.h"

#include <memory>
#include <vector>

namespace ostrel {

namespace {

constexpr DWORD ExecTimeoutSeconds = 12;

// The objects of the run under way; one run exists at a time.
struct ScannerRunObjects {
    TScannerEvents events;
    std::vector<std::string> output;
    TScannerRunner runner;
};

std::unique_ptr<ScannerRunObjects> CurrentRun;
bool ExecDone = false;

// Delivers the runner's events and everything else the thread is sent, so
// the host's windows stay alive during a run. A quit request is kept for
// the host's own loop.
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

// Waits for the end of the run, the end marker or the time-out, sleeping
// until a message arrives. True on time-out.
bool WaitForRun(TScannerRunner& runner, DWORD start)
{
    const DWORD limit = ExecTimeoutSeconds * 1000;
    bool quitRequested = false;
    int quitCode = 0;
    bool timedOut = false;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        timedOut = elapsed > limit;
        ProcessPendingMessages(quitRequested, quitCode);
        if (std::exception_ptr error = runner.TakeEventError()) {
            std::rethrow_exception(error);
        }
        if (ExecDone || timedOut) {
            break;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, limit - elapsed + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    if (quitRequested) {
        PostQuitMessage(quitCode);
    }
    return timedOut;
}

}  // namespace

TScannerRunner::TScannerRunner()
{
    ConsoleOptions = coRedirect;
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
    ExecDone = true;
}

void TScannerEvents::HandleRawRead(TProcessRunner&, const std::string& chunk)
{
    if (ExecDone) {
        return;
    }
    CurrentRun->output.push_back(ConvertDosUmlauts(chunk));
    const std::string endString = Plugin().Config.Values().EndString;
    if (!endString.empty() &&
        AnsiUpperCase(chunk).find(AnsiUpperCase(endString)) != std::string::npos) {
        GetProcessRunner().Stop();
    }
}

void TScannerEvents::HandleTerminate(TProcessRunner&, uint32_t)
{
    ExecDone = true;
}

TScannerRunner& GetProcessRunner()
{
    if (!CurrentRun) {
        CurrentRun = std::make_unique<ScannerRunObjects>();
        TScannerEvents& events = CurrentRun->events;
        CurrentRun->runner.OnRawRead = [&events](TProcessRunner& sender, const std::string& chunk) {
            events.HandleRawRead(sender, chunk);
        };
        CurrentRun->runner.OnTerminate = [&events](TProcessRunner& sender, uint32_t exitCode) {
            events.HandleTerminate(sender, exitCode);
        };
    }
    return CurrentRun->runner;
}

int32_t DoExecute(bool isCure, const std::string& commandLine, const std::string& currentDir,
                  std::string& msg)
{
    ExecDone = false;
    msg.clear();
    TScannerRunner& runner = GetProcessRunner();
    struct FreeRunObjects {
        ~FreeRunObjects() { CurrentRun.reset(); }
    } freeRunObjects;

    runner.ApplicationName = Plugin().Config.Values().AVPExeName;
    runner.CommandLine = commandLine;
    runner.CurrentDirectory = currentDir;
    CurrentRun->output.clear();
    WriteLogFmt("DoExecute Command=%s / Params=%s / CurrentDir=%s",
                {runner.ApplicationName, runner.CommandLine, runner.CurrentDirectory}, 2);

    const DWORD start = GetTickCount();
    runner.Run();
    const bool timedOut = WaitForRun(runner, start);

    if (Plugin().Config.Values().LogAVPOutput) {
        WriteLog("Output: \r\n" + JoinFileLines(CurrentRun->output), 0);
    }
    int32_t result = ScanTimedOut;
    if (timedOut) {
        // The run has been given up: end the scanner too, so a hung scanner
        // neither keeps the file open nor piles up with the next ones.
        try {
            runner.Terminate();
        } catch (const Exception&) {
            // Already gone, or not ours to end: it is left to run as before.
        }
        runner.Stop();
        WriteLogFmt(MessageText(MessageKey::SExecTimeOut), {ExecTimeoutSeconds}, 0);
    } else {
        result = EvaluateScanOutput(CurrentRun->output, isCure, msg);
    }
    CurrentRun->output.clear();
    return result;
}

}  // namespace ostrel
