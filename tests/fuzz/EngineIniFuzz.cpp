// ostrelscan.ini is the user's text, and its [engine NAME] sections decide
// what runs: any bytes must give rows or faults, never a row that could not
// run as written (a .exe or .com, {file} outside quotes), and a row must
// read back the same from its printed form. The same bytes as a report,
// read by each row: a find names one line's text that the row does not call
// no name.
#include "../../tools/ostrelscan/EngineSections.h"
#include "../../tools/ostrelscan/Options.h"
#include "../../tools/ostrelscan/Profiles.h"
#include "../../tools/ostrelscan/ProgramRules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <tuple>

using namespace ostrel::ostrelscan;

namespace {

auto Fields(const ScannerProfile& row)
{
    return std::tie(row.engine, row.title, row.program, row.arguments, row.cleanCodes, row.infectedCodes,
                    row.namePatterns, row.nameNextLinePatterns, row.notNames, row.cleanLines, row.errorLines,
                    row.offLines);
}

bool Runnable(const ScannerProfile& row)
{
    const auto both = [&](uint32_t code) {
        return std::find(row.cleanCodes.begin(), row.cleanCodes.end(), code) != row.cleanCodes.end();
    };
    const auto named = [](const std::string& pattern) { return pattern.find("{name}") != std::string::npos; };
    const auto unnamed = [&](const std::vector<std::string>& patterns) {
        return std::none_of(patterns.begin(), patterns.end(), named);
    };
    return !row.engine.empty() && !row.title.empty() && ProgramFault(row.program).empty() &&
           row.arguments.find("{file}") != std::string::npos && FilePlaceFault(row.arguments).empty() &&
           std::none_of(row.infectedCodes.begin(), row.infectedCodes.end(), both) && !row.namePatterns.empty() &&
           std::all_of(row.namePatterns.begin(), row.namePatterns.end(), named) && !row.cleanLines.empty() &&
           unnamed(row.nameNextLinePatterns) && unnamed(row.cleanLines) && unnamed(row.errorLines) &&
           unnamed(row.offLines) && FindProfile(row.engine) == nullptr && row.engine != "auto" &&
           row.engine != "clamd";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    const std::vector<std::string> faults = ReadIni(text, settings);
    for (const ScannerProfile& row : settings.engines) {
        if (!Runnable(row)) {
            std::abort();
        }
        Settings again;
        if (!ReadIni(EngineSectionText(row), again).empty() || again.engines.size() != 1 ||
            Fields(again.engines.front()) != Fields(row)) {
            std::abort();
        }
        const Verdict verdict = ReadProfileReport(row, 0, text, row.title);
        if (verdict.kind == Verdict::Kind::infected &&
            (verdict.name.empty() || verdict.name.find_first_of("\r\n") != std::string::npos ||
             std::find(row.notNames.begin(), row.notNames.end(), verdict.name) != row.notNames.end())) {
            std::abort();
        }
    }
    if (FindEngine(settings, settings.engine) == nullptr && settings.engine != "auto" && settings.engine != "clamd") {
        std::abort();
    }
    return 0;
}
