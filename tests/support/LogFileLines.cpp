#include "LogFileLines.h"

#include "TestFiles.h"

#include <regex>

namespace ostrel::test {

std::vector<std::string> LogMessages(const std::string& path)
{
    static const std::regex stamped(R"(\d{4}-\d\d-\d\d, \d\d:\d\d:\d\d: (.*))");
    static const std::regex indented(R"( {22}(.*))");
    std::string content = ReadFileBytes(path);
    std::vector<std::string> messages;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find("\r\n", start);
        if (end == std::string::npos) {
            messages.push_back("MALFORMED: unterminated " + content.substr(start));
            break;
        }
        std::string line = content.substr(start, end - start);
        std::smatch match;
        if (std::regex_match(line, match, stamped) || std::regex_match(line, match, indented)) {
            messages.push_back(match[1]);
        } else {
            messages.push_back("MALFORMED: " + line);
        }
        start = end + 2;
    }
    return messages;
}

}  // namespace ostrel::test
