#pragma once

// The command-line scanners ostrelscan runs, one table entry each, and the
// reading of their reports. No <windows.h>.
#include "LinePattern.h"
#include "Verdict.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::ostrelscan {

struct ScannerProfile {
    std::string engine;                 // the engine= value
    std::string title;                  // for the report's first line
    std::string program;                // a full path; empty in a built-in row: found where its installer puts it
    std::string arguments;              // after the program; {file} becomes the quoted file name
    std::vector<uint32_t> cleanCodes;     // empty: any code, the report's words alone decide
    std::vector<uint32_t> infectedCodes;  // empty: any code
    // Patterns of the one language (see MatchPattern).
    std::vector<std::string> namePatterns;      // a line that names a find
    std::vector<std::string> nameNextLinePatterns;  // a line whose find's name stands alone on the next one
    std::vector<std::string> notNames;          // what a name pattern takes that names no threat
    std::vector<std::string> cleanLines;        // a clean report has a line for each
    std::vector<std::string> errorLines;        // a line that makes the report an error
    std::vector<std::string> offLines;          // a line by which the engine says it is off or not licensed
};

const std::vector<ScannerProfile>& ScannerProfiles();
const ScannerProfile* FindProfile(std::string_view engine);

// Quoted for the C runtime's argument splitting, only where needed.
std::string QuoteArgument(std::string_view argument);
std::string ProfileCommandLine(const ScannerProfile& profile, const std::string& program,
                               const std::string& file);

// The verdict from what the scanner printed about `file` and its exit code,
// the same rules for every row: a line naming a threat is a find, whatever
// the code (unless the name says the file could not be checked,
// UncheckedNames.h); an error line or an off line makes an error; clean
// needs every clean line and a clean code; everything else is an error that
// quotes the scanner's last line and never reads as a find.
Verdict ReadProfileReport(const ScannerProfile& profile, uint32_t exitCode, std::string_view output,
                          std::string_view file = {});

}  // namespace ostrel::ostrelscan
