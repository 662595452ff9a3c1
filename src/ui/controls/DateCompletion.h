#pragma once

#include <string_view>

namespace ostrel {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

inline bool operator==(const CalendarDate& a, const CalendarDate& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}
inline bool operator!=(const CalendarDate& a, const CalendarDate& b)
{
    return !(a == b);
}

// Reads day, month and year as digit groups (2, 2 and 4 digits at most),
// whatever the user's date order, and fills what is missing from `today`.
// Raises EConvertError when the day is 0 but the month or year is not.
CalendarDate CompleteDate(std::string_view text, const CalendarDate& today);

}  // namespace ostrel
