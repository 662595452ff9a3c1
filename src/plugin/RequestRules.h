#pragma once

#include "plugin/StatusCodes.h"
#include "scanner/ScanReport.h"

#include <string>
#include <string_view>

namespace ostrel {

// Log texts of the scanner's and of the host's result codes.
const char* ScanResultText(ScanResult scanCode);
const char* HostResultText(HostResult hostCode);

// The host's answer to a check or a cure for a scanner result.
HostResult CheckHostResult(ScanResult scanCode);
HostResult CureHostResult(ScanResult scanCode);

// The scanner's command line: the parameters, one space and the file name,
// in double quotes when it holds a blank so it stays one argument.
std::string ScannerCommandLine(std::string_view parameters, std::string_view fileName);

}  // namespace ostrel
