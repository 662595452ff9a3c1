#pragma once

#include "scanner/ScannerInvocation.h"
#include "settings/ConfigValues.h"

#include <string>

namespace ostrel {

// What a check or a cure came to.
struct TScanAnswer {
    ScanResult Code = ScanResult::RequestError;
    std::string Message;  // the name of a find
    std::string Error;    // why the run failed, when it could not run
};

// One check or cure of `fileName` with `settings`, as the host's requests
// run it: their scanner and check or cure parameters without "/FREEZE",
// their end marker and output logging; `run` brings what the caller adds
// (the job note, the cure grace, a cancel event, an output observer).
// Logged as every request logs it, from "DoExecute" to "CheckFile: Result"
// or "CureFile: Result"; a failure is logged and answered RequestError.
// Logs the exception being handled as "Error in WHERE:" with its class and
// message; returns the message, for a box.
std::string LogCurrentError(LogSink& log, const std::string& where);

TScanAnswer RunScanRequest(const ConfigValues& settings, bool isCure, const std::string& fileName,
                           TScanRunSettings run, LogSink& log, TMessageTexts& texts);

}  // namespace ostrel
