#pragma once

#include "plugin/StatusCodes.h"
#include "scanner/ScanReport.h"

#include <string>

namespace ostrel {

// Scanner result of one check or cure run; errors become -3 and are logged.
ScanResult CheckFile(const std::string& fileName, std::string& msg);
ScanResult CureFile(const std::string& fileName, std::string& msg);

// The whole requests behind BAV_CheckFile and BAV_CureFile.
HostResult CheckRequest(const char* fileName, char* messageBuffer);
HostResult CureRequest(const char* fileName);

}  // namespace ostrel
