#include "scanner/ScanRequest.h"

#include "base/Exception.h"
#include "settings/ParameterRules.h"

namespace ostrel {

std::string LogCurrentError(LogSink& log, const std::string& where)
{
    const ErrorDescription error = DescribeCurrentException();
    log.WriteLogFmt("Error in " + where + ":\\n%s\\n%s", {error.className, error.LoggedMessage()}, LogAlways);
    return error.message;
}

TScanAnswer RunScanRequest(const ConfigValues& settings, bool isCure, const std::string& fileName,
                           TScanRunSettings run, LogSink& log, TMessageTexts& texts)
{
    const char* const requestName = isCure ? "CureFile" : "CheckFile";
    TScanAnswer answer;
    try {
        run.AVPExeName = settings.AVPExeName;
        run.EndString = settings.EndString;
        run.LogAVPOutput = settings.LogAVPOutput;
        try {
            answer.Code = DoExecute(run, log, texts, isCure, RequestCommandLine(settings, isCure, fileName), "",
                                    answer.Message);
            log.WriteLog("After DoExecute", LogDetails);
        } catch (...) {
            answer.Code = ScanResult::RequestError;
            answer.Error = LogCurrentError(log, requestName);
        }
        log.WriteLogFmt(std::string(requestName) + ": Result=%d (%s)", {answer.Code, ScanResultText(answer.Code)},
                        isCure ? LogCalls : LogDetails);
    } catch (...) {
        answer.Code = ScanResult::RequestError;
        answer.Error = LogCurrentError(log, requestName);
    }
    return answer;
}

}  // namespace ostrel
