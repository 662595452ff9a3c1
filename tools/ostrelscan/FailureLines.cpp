#include "FailureLines.h"

#include "Profiles.h"
#include "base/AnsiString.h"
#include "base/Ascii.h"

namespace ostrel::ostrelscan {
namespace {

// MpCmdRun.exe's lines; it prints the HRESULT's hex digits in either case,
// depending on its version. A switched-off Defender also prints a
// "CmdTool: Failed with hr = 0x80004005" line, so its own line comes first.
constexpr FailureLine kFailureLines[] = {
    {"*Product/Feature disabled*", "says it is switched off (another antivirus may have taken its place)", true},
    {"CmdTool: Failed with hr = 0x800106BA*", "says its service is not running", true},
    {"CmdTool: Failed with hr = 0x80508023*", "says the file does not exist", false},
    {"CmdTool: Failed with hr = 0x80070667*", "says it was given a bad argument", false},
};

}  // namespace

std::optional<KnownFailure> FindKnownFailure(const std::vector<std::string>& lines)
{
    std::vector<std::string> lowered;
    for (const std::string& line : lines) {
        lowered.push_back(LowerAscii(line));
    }
    for (const FailureLine& known : kFailureLines) {
        const std::string pattern = LowerAscii(known.pattern);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (MatchLinePattern(pattern, lowered[i])) {
                return KnownFailure{&known, TrimBlanks(lines[i])};
            }
        }
    }
    return std::nullopt;
}

}  // namespace ostrel::ostrelscan
