#include "lang/LanguageScript.h"

#include "base/AnsiString.h"
#include "base/Ascii.h"

namespace ostrel {

namespace {

std::string EntryValue(std::string_view raw)
{
    std::string value = TrimBlanks(raw);
    if (value.size() > 1 && value.front() == '\'' && value.back() == '\'') {
        value = value.substr(1, value.size() - 2);
    }
    std::string expanded;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
            expanded += "\r\n";
            ++i;
        } else {
            expanded += value[i];
        }
    }
    return expanded;
}

}  // namespace

std::vector<std::string> SelectLanguageLines(const std::vector<std::string>& script,
                                             std::string_view language)
{
    const std::string wanted = LowerAscii(language);
    std::string section;
    std::vector<std::string> lines;
    for (const std::string& raw : script) {
        std::string line = TrimBlanks(raw);
        if (line.empty()) {
            continue;
        }
        if (line[0] == '[') {
            std::size_t end = line.find(']');
            section = end == std::string::npos ? "" : LowerAscii(line.substr(1, end - 1));
        } else if (line[0] != ';' && section == wanted) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

ScriptEntry SplitEntry(std::string_view line)
{
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {"", ""};
    }
    return {TrimBlanks(line.substr(0, equals)), EntryValue(line.substr(equals + 1))};
}

}  // namespace ostrel
