#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

struct ScriptEntry {
    std::string name;
    std::string value;
};

// The trimmed entry lines of a script that belong to `language`: lines
// after a "[name]" header of that name (without regard to ASCII case),
// comments (";") and blank lines left out. Lines before the first header
// belong to the empty name.
std::vector<std::string> SelectLanguageLines(const std::vector<std::string>& script,
                                             std::string_view language);

// Name and value around the first "="; the value loses one pair of
// enclosing apostrophes and gets CR LF for every "\n".
ScriptEntry SplitEntry(std::string_view line);

}  // namespace ostrel
