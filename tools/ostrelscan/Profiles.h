#pragma once

// The command-line scanners ostrelscan runs, one table entry each, and the
// reading of their reports. No <windows.h>.
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
    std::vector<uint32_t> cleanCodes;
    std::vector<uint32_t> infectedCodes;
    std::string namePattern;            // see MatchNamePattern
    std::string cleanLine;              // a line a clean report must have; empty: none asked
};

const std::vector<ScannerProfile>& ScannerProfiles();
const ScannerProfile* FindProfile(std::string_view engine);

// Quoted for the C runtime's argument splitting, only where needed.
std::string QuoteArgument(std::string_view argument);
std::string ProfileCommandLine(const ScannerProfile& profile, const std::string& program,
                               const std::string& file);

// Matches one line, blanks at both ends ignored, against a pattern such as
// "*: {name} FOUND": '*' is any text, {name} the found name, everything else
// literal. '*' may appear only before {name}, and then a literal must come
// between the last '*' and {name}; the name starts after its last
// occurrence, so a file name may hold that literal too.
std::optional<std::string> MatchNamePattern(std::string_view pattern, std::string_view line);

// Matches one line, blanks at both ends ignored, against a pattern such as
// "*: OK": '*' is any text, possibly none, everything else literal.
bool MatchLinePattern(std::string_view pattern, std::string_view line);

// The verdict from what the scanner printed and its exit code, the same
// rules for every row: a line naming a threat is a find, whatever the code
// (unless the name says the file could not be checked, UncheckedNames.h);
// clean needs a clean code and, where the row asks for one, its clean line;
// everything else is an error that quotes the scanner's last line and never
// reads as a find.
Verdict ReadProfileReport(const ScannerProfile& profile, uint32_t exitCode, std::string_view output);

}  // namespace ostrel::ostrelscan
