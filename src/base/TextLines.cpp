#include "base/TextLines.h"

#include "base/ByteSearch.h"

namespace ostrel {

std::vector<std::string> SplitFileLines(std::string_view content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(content.substr(start));
            break;
        }
        lines.emplace_back(content.substr(start, end - start));
        start = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::string_view SplitFirstLine(std::string_view& rest)
{
    // A log message of the scanner's output is megabytes of short lines.
    std::size_t end = FindEitherByte(rest, 0, '\r', '\r');
    while (end != std::string_view::npos && rest.substr(end + 1, 1) != "\n") {
        end = FindEitherByte(rest, end + 1, '\r', '\r');
    }
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
    return line;
}

std::string JoinFileLines(const std::vector<std::string>& lines)
{
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

}  // namespace ostrel
