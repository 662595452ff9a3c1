#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrel {

// Log texts of the scanner's and of the host's result codes.
const char* ScanResultText(int32_t scanCode);
const char* HostResultText(int32_t hostCode);

// The host's answer to a check or a cure for a scanner result.
int32_t CheckHostResult(int32_t scanCode);
int32_t CureHostResult(int32_t scanCode);

// The scanner's command line: the parameters, one space and the file name,
// in double quotes when it holds a blank so it stays one argument.
std::string ScannerCommandLine(std::string_view parameters, std::string_view fileName);

}  // namespace ostrel
