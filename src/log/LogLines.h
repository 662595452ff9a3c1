#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace ostrel {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// yyyy, mm, dd, hh, nn and ss become the year, month, day, hour, minutes
// and seconds; every other character is copied.
std::string FormatDateTime(std::string_view pattern, const LocalDateTime& moment);

// A line of a message is cut to this length, so that no setting or scanner
// output can make a log line of any size; a bare CR or LF starts a new one.
constexpr std::size_t MaxLogLineLength = 4096;

// One message as the log file's text: the first line carries the stamp,
// the rest are indented under its text, each ends with CR LF. Only CR LF
// separates lines, and a trailing CR LF adds no empty line.
std::string MessageLinesText(const std::string& stamp, std::string_view text);

// The same text handed out in blocks of about `blockSize` bytes, so that a
// long message needs no second copy of its own size.
void WriteMessageLines(const std::string& stamp, std::string_view text, std::size_t blockSize,
                       const std::function<void(std::string_view block)>& write);

}  // namespace ostrel
