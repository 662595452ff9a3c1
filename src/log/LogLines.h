#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// Appends one message as log lines: the first carries the stamp, the rest
// are indented under its text. Only CR LF separates lines, and a trailing
// CR LF adds no empty line.
void AppendMessageLines(const std::string& stamp, std::string_view text,
                        std::vector<std::string>& lines);

}  // namespace ostrel
