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

// Version folder names, newest first: "4.18.24090.11-0" before
// "4.18.2111.5-0". Names that do not start with a digit come last.
std::vector<std::string> NewestVersionsFirst(std::vector<std::string> names);

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

// The verdict from the scanner's exit code and its printed output: the code
// decides, the first line matching the pattern gives the name, and a code
// that disagrees with the lines is an error.
Verdict ReadProfileReport(const ScannerProfile& profile, uint32_t exitCode, std::string_view output);

}  // namespace ostrel::ostrelscan
