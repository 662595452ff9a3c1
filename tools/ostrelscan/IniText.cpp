#include "IniText.h"

#include "base/AnsiString.h"
#include "base/TextLines.h"

namespace ostrel::ostrelscan {

std::vector<IniLine> SplitIniLines(std::string_view text, std::vector<IniFault>& faults)
{
    std::vector<IniLine> lines;
    int number = 0;
    for (const std::string& raw : SplitFileLines(text)) {
        ++number;
        const std::string line = TrimBlanks(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line[0] == '[') {
            const bool closed = line.back() == ']';
            if (!closed) {
                faults.push_back({number, "section header without ]"});
            }
            lines.push_back({IniLine::Kind::section, number,
                             TrimBlanks(std::string_view(line).substr(1, line.size() - (closed ? 2 : 1))), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            faults.push_back({number, "no '=' in \"" + line + "\""});
            continue;
        }
        std::string value = TrimBlanks(std::string_view(line).substr(equals + 1));
        // A quoted path keeps its blanks and loses its quotes.
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        lines.push_back({IniLine::Kind::setting, number, TrimBlanks(line.substr(0, equals)), std::move(value)});
    }
    return lines;
}

}  // namespace ostrel::ostrelscan
