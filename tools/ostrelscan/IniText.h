#pragma once

// The lines of an ini text that say something. No <windows.h>.
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::ostrelscan {

struct IniLine {
    enum class Kind { section, setting };

    Kind kind = Kind::setting;
    int number = 0;     // from 1
    std::string name;   // the section's, between the brackets, or the setting's; blanks at the ends dropped
    std::string value;  // the setting's, blanks at the ends dropped; a quoted value loses its quotes
};

struct IniFault {
    int line = 0;
    std::string text;
};

// Blank lines and comments (';' or '#' first) are skipped. A line that is
// neither "[section]" nor "name=value" is a fault; a header without its ']'
// is one too, but still opens its section.
std::vector<IniLine> SplitIniLines(std::string_view text, std::vector<IniFault>& faults);

}  // namespace ostrel::ostrelscan
