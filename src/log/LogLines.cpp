#include "log/LogLines.h"

#include "base/AnsiString.h"
#include "base/ByteSearch.h"
#include "base/TextLines.h"

#include <algorithm>
#include <cstdio>

namespace ostrel {

namespace {

std::string Digits(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// A bare CR or LF inside a line breaks it in the file too, so the limit
// counts from there: output that ends its lines with LF alone stays whole.
void AppendLimitedLine(std::string& block, std::string_view line)
{
    if (line.size() <= MaxLogLineLength) {
        block.append(line);
        return;
    }
    while (!line.empty()) {
        const std::size_t end = std::min(FindEitherByte(line, 0, '\r', '\n'), line.size());
        AppendCutWithEllipsis(block, line.substr(0, end), MaxLogLineLength);
        block.append(line.substr(end, end < line.size() ? 1 : 0));
        line.remove_prefix(std::min(end + 1, line.size()));
    }
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, const LocalDateTime& moment)
{
    struct Token {
        std::string_view name;
        int value;
        int width;
    };
    const Token tokens[] = {{"yyyy", moment.year, 4}, {"mm", moment.month, 2},
                            {"dd", moment.day, 2},    {"hh", moment.hour, 2},
                            {"nn", moment.minute, 2}, {"ss", moment.second, 2}};
    std::string result;
    for (std::size_t i = 0; i < pattern.size();) {
        bool matched = false;
        for (const Token& token : tokens) {
            if (pattern.compare(i, token.name.size(), token.name) == 0) {
                result += Digits(token.value, token.width);
                i += token.name.size();
                matched = true;
                break;
            }
        }
        if (!matched) {
            result += pattern[i++];
        }
    }
    return result;
}

std::string MessageLinesText(const std::string& stamp, std::string_view text)
{
    std::string result;
    WriteMessageLines(stamp, text, std::string::npos, [&](std::string_view block) { result += block; });
    return result;
}

void WriteMessageLines(const std::string& stamp, std::string_view text, std::size_t blockSize,
                       const std::function<void(std::string_view block)>& write)
{
    const std::string indent(stamp.size() + 2, ' ');
    std::string block;
    std::string_view rest = text;
    std::string_view line = SplitFirstLine(rest);
    bool first = true;
    while (!line.empty() || !rest.empty()) {
        if (first) {
            block += stamp;
            block += ": ";
        } else {
            block += indent;
        }
        AppendLimitedLine(block, line);
        block += "\r\n";
        if (block.size() >= blockSize) {
            write(block);
            block.clear();
        }
        first = false;
        line = SplitFirstLine(rest);
    }
    if (!block.empty()) {
        write(block);
    }
}

}  // namespace ostrel
