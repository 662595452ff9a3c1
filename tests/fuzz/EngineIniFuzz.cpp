// ostrelscan.ini is the user's text, and its [engine NAME] sections decide
// what runs: any bytes must give rows or faults, never a row that could not
// run as written (a .exe or .com, {file} outside quotes), and a row must
// read back the same from its printed form.
#include "../../tools/ostrelscan/EngineSections.h"
#include "../../tools/ostrelscan/Options.h"
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
                    row.namePattern, row.cleanLine);
}

bool Runnable(const ScannerProfile& row)
{
    const auto both = [&](uint32_t code) {
        return std::find(row.cleanCodes.begin(), row.cleanCodes.end(), code) != row.cleanCodes.end();
    };
    return !row.engine.empty() && !row.title.empty() && ProgramFault(row.program).empty() &&
           row.arguments.find("{file}") != std::string::npos && FilePlaceFault(row.arguments).empty() &&
           !row.cleanCodes.empty() &&
           !row.infectedCodes.empty() && std::none_of(row.infectedCodes.begin(), row.infectedCodes.end(), both) &&
           row.namePattern.find("{name}") != std::string::npos && FindProfile(row.engine) == nullptr &&
           row.engine != "auto" && row.engine != "clamd";
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
    }
    if (FindEngine(settings, settings.engine) == nullptr && settings.engine != "auto" && settings.engine != "clamd") {
        std::abort();
    }
    return 0;
}
