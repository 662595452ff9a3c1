#include "plugin/FileRequests.h"

#include "base/Exception.h"
#include "base/Format.h"
#include "base/MessageBox.h"
#include "lang/FormatMsg.h"
#include "plugin/HostBuffer.h"
#include "plugin/OstrelConstVars.h"
#include "plugin/RequestRules.h"
#include "scanner/ScanRequest.h"
#include "settings/ParameterRules.h"

#include <optional>

namespace ostrel {

namespace {

struct RequestKind {
    bool isCure;
    const char* exportName;
    const char* messageLabel;  // how the result line names the scanner's message
    HostResult (*hostResult)(ScanResult scanCode);
};

const RequestKind Check = {false, "BAV_CheckFile", "AVPMsg", CheckHostResult};
const RequestKind Cure = {true, "BAV_CureFile", "Msg", CureHostResult};

ScanResult RunScanner(const RequestKind& kind, const std::string& fileName, std::string& msg)
{
    // The cleaned parameters stay in the settings until they are loaded again.
    Plugin().Config.Update([](ConfigValues& values) { RemoveForbiddenParams(values); });
    TScanRunSettings run;
    run.JobFailureLogged = &Plugin().JobFailureLogged;
    run.CureGrace = &Plugin().CureGrace;
    TScanAnswer answer =
        RunScanRequest(Plugin().Config.Values(), kind.isCure, fileName, run, PluginLog(), Plugin().Messages);
    msg = std::move(answer.Message);
    return answer.Code;
}

// The short cut of both requests: a plug-in that is not ready answers -3,
// a disabled one 0; the scanner is not run and nothing is logged.
bool AnsweredWithoutScan(HostResult& result)
{
    if (OstrelStatus != PluginStatus::Ready) {
        result = HostResult::Error;
        return true;
    }
    if (Plugin().Config.Values().Disabled) {
        result = HostResult::Ok;
        return true;
    }
    return false;
}

// ScanLock is re-entrant, and a run pumps its thread's messages: a request
// that arrives that way on the same thread must not reach the one runner.
// Other threads queue in arrival order.
class ScanGuard {
public:
    ScanGuard() : refused_(Plugin().ScanThread == GetCurrentThreadId())
    {
        if (!refused_) {
            queue_.emplace(Plugin().ScanQueue);
            lock_.emplace(Plugin().ScanLock);
            Plugin().ScanThread = GetCurrentThreadId();
        }
    }
    ~ScanGuard()
    {
        if (!refused_) {
            Plugin().ScanThread = 0;
        }
    }
    bool Refused() const { return refused_; }

private:
    bool refused_;
    std::optional<TicketLockGuard> queue_;
    std::optional<CriticalSectionLock> lock_;
};

// One request from the host. A check hands the scanner's message back in
// the host's buffer; a cure has none.
HostResult HostRequest(const RequestKind& kind, const char* fileName, char* messageBuffer)
{
    HostResult result = HostResult::Error;
    if (AnsweredWithoutScan(result)) {
        return result;
    }
    const std::string exportName = kind.exportName;
    ScanGuard guard;
    if (guard.Refused()) {
        PluginLog().WriteLog(exportName + ": refused, a check or cure is already running on this thread",
                             LogAlways);
        return HostResult::Error;
    }
    try {
        PluginLog().WriteLog("In " + exportName, LogRequests);
        std::string msg;
        const std::string name = fileName ? fileName : "";
        PluginLog().WriteLogFmt(exportName + ": FileName=%s", {name}, LogAlways);
        const ScanResult code = kind.isCure ? CureFile(name, msg) : CheckFile(name, msg);
        result = kind.hostResult(code);
        PluginLog().WriteLogFmt(exportName + ": Result=%d (%s), " + kind.messageLabel + "=%s",
                                {result, HostResultText(result), msg}, LogAlways);
        CopyMessageToHost(msg, messageBuffer);
    } catch (...) {
        result = HostResult::Error;
        if (kind.isCure) {
            LogCurrentError(PluginLog(), exportName);
        } else {
            // The check's error line is written as it stands, without formatting.
            ErrorDescription error = DescribeCurrentException();
            PluginLog().WriteLog("Error in " + exportName + ":\\" + error.className + "\\" + error.LoggedMessage(),
                                 LogAlways);
        }
    }
    return result;
}

}  // namespace

ScanResult CheckFile(const std::string& fileName, std::string& msg)
{
    return RunScanner(Check, fileName, msg);
}

ScanResult CureFile(const std::string& fileName, std::string& msg)
{
    return RunScanner(Cure, fileName, msg);
}

HostResult CheckRequest(const char* fileName, char* messageBuffer)
{
    return HostRequest(Check, fileName, messageBuffer);
}

HostResult CureRequest(const char* fileName)
{
    return HostRequest(Cure, fileName, nullptr);
}

TTestFileCheck TestCheck(const ConfigValues& settings, const std::string& fileName, HANDLE cancel,
                         const TOutputObserver& onOutput)
{
    TTestFileCheck check;
    try {
        ScanGuard guard;
        if (guard.Refused()) {
            check.error = "A check or cure is already running on this thread";
            return check;
        }
        PluginLog().WriteLogFmt("Test: FileName=%s", {fileName}, LogAlways);
        TScanRunSettings run;
        run.JobFailureLogged = &Plugin().JobFailureLogged;
        run.CancelEvent = cancel;
        run.OnOutput = onOutput;
        const TScanAnswer answer = RunScanRequest(settings, false, fileName, run, PluginLog(), Plugin().Messages);
        const HostResult result = CheckHostResult(answer.Code);
        check.answer = TestAnswerOf(result);
        check.message = answer.Message;
        check.error = answer.Error;
        PluginLog().WriteLogFmt("Test: Result=%d (%s), AVPMsg=%s", {result, HostResultText(result), answer.Message},
                                LogAlways);
    } catch (...) {
        check.answer = TTestAnswer::Error;
        check.error = DescribeCurrentException().message;
    }
    return check;
}

}  // namespace ostrel
