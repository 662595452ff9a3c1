#include "UncheckedNames.h"

#include "base/Ascii.h"

#include <string_view>

namespace ostrel::ostrelscan {
namespace {

struct UncheckedName {
    std::string_view prefix;  // in lower case
    const char* why;
};

constexpr UncheckedName kUncheckedNames[] = {
    {"heuristics.encrypted.", "it is encrypted"},
    {"heuristics.limits.exceeded.", "it is too large or too deeply nested for the engine's limits"},
};

}  // namespace

Verdict FoundNameVerdict(const std::string& name, const std::string& engineTitle)
{
    const std::string lower = LowerAscii(name);
    for (const UncheckedName& unchecked : kUncheckedNames) {
        if (lower.compare(0, unchecked.prefix.size(), unchecked.prefix) == 0) {
            return Verdict::Error(engineTitle + " could not check the file: " + unchecked.why + " (" + name + ")");
        }
    }
    return Verdict::Infected(name);
}

}  // namespace ostrel::ostrelscan
