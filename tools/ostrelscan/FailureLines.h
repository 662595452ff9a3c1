#pragma once

// Lines by which a scanner says that it failed, and what they mean in
// words. No <windows.h>.
#include <optional>
#include <string>
#include <vector>

namespace ostrel::ostrelscan {

struct FailureLine {
    const char* pattern;  // see MatchLinePattern; letters match in either case
    const char* meaning;  // follows the scanner's title: "... says it is switched off"
    bool engineOff;       // the engine is off or not running, not broken
};

struct KnownFailure {
    const FailureLine* kind = nullptr;
    std::string line;  // as the scanner printed it, blanks at both ends dropped
};

// The first entry of the table that one of `lines` matches.
std::optional<KnownFailure> FindKnownFailure(const std::vector<std::string>& lines);

}  // namespace ostrel::ostrelscan
