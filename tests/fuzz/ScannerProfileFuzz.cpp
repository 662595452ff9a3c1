// A scanner's output and exit code, the name patterns and ostrelscan's
// settings are all text from outside: any bytes must give an answer, a found
// name stays on one line, and no output turns a non-clean code into clean.
#include "../../tools/ostrelscan/Options.h"
#include "../../tools/ostrelscan/Profiles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace ostrel::ostrelscan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::vector<ScannerProfile>& profiles = ScannerProfiles();
    const ScannerProfile& profile = profiles[data[0] % profiles.size()];
    const uint32_t exitCode = data[1] % 4;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

    // The first line stands for the file asked about.
    const std::string_view file = text.substr(0, text.find('\n'));
    const Verdict verdict = ReadProfileReport(profile, exitCode, text, file);
    const bool cleanCode = profile.cleanCodes.empty() ||
                           std::find(profile.cleanCodes.begin(), profile.cleanCodes.end(), exitCode) !=
                               profile.cleanCodes.end();
    if ((verdict.kind == Verdict::Kind::clean && !cleanCode) ||
        (verdict.kind == Verdict::Kind::infected &&
         (verdict.name.empty() || verdict.name.find_first_of("\r\n") != std::string::npos))) {
        std::abort();
    }

    // The same bytes as pattern and line, split at the first NUL.
    const std::size_t split = text.find('\0');
    if (split != std::string_view::npos) {
        const std::string_view pattern = text.substr(0, split), line = text.substr(split + 1);
        const auto name = MatchNamePattern(pattern, line, file);
        if ((name && name->empty()) || (name && !MatchLinePattern(pattern, line, file))) {
            std::abort();
        }
    }

    Settings settings;
    ReadIni(text, settings);
    if (settings.timeoutSeconds < 1 || !ParseAddress(settings.address)) {
        std::abort();
    }
    std::vector<std::string> arguments;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t blank = std::min(text.find(' ', from), text.size());
        arguments.emplace_back(text.substr(from, blank - from));
        from = blank + 1;
    }
    ParseArguments(arguments);
    return 0;
}
