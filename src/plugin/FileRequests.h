#pragma once

#include "plugin/StatusCodes.h"
#include "scanner/ScanReport.h"
#include "ui/DialogContext.h"

#include <string>

namespace ostrel {

// Scanner result of one check or cure run; errors become -3 and are logged.
ScanResult CheckFile(const std::string& fileName, std::string& msg);
ScanResult CureFile(const std::string& fileName, std::string& msg);

// The whole requests behind BAV_CheckFile and BAV_CureFile.
HostResult CheckRequest(const char* fileName, char* messageBuffer);
HostResult CureRequest(const char* fileName);

// The Test button's check (TTestCheck): BAV_CheckFile's run with the
// dialog's settings, logged as "Test", in turn with the host's requests.
TTestFileCheck TestCheck(const ConfigValues& settings, const std::string& fileName, HANDLE cancel,
                         const TOutputObserver& onOutput);

}  // namespace ostrel
