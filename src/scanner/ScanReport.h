#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// Scanner result codes.
enum : int32_t {
    ScanClean = 0,
    ScanVirus = 1,
    ScanSuspicious = 3,
    ScanVirusRemoved = 6,
    ScanNoResult = -1,
    ScanNotCured = -2,
    ScanRequestError = -3,
    ScanTimedOut = 999,
};

// The scanner prints in the DOS code page; its umlauts become Windows-1252.
std::string ConvertDosUmlauts(std::string_view text);

// Reads the result from the scanner's printed report, one item per output
// chunk. English keywords when "SCAN RESULTS" occurs, German otherwise.
// `message` gets the name after the virus or suspicious keyword of a find.
int32_t EvaluateScanOutput(const std::vector<std::string>& output, bool isCure,
                           std::string& message);

}  // namespace ostrel
