#include "ui/controls/DateCompletion.h"

#include "base/Ascii.h"
#include "base/Exception.h"

namespace ostrel {

namespace {

// Extra digits are left for the next group, so "010504" is 01, 05, 04.
int ReadGroup(std::string_view text, std::size_t& pos, int maxDigits)
{
    while (pos < text.size() && !IsDigit(text[pos])) {
        ++pos;
    }
    int value = 0;
    for (int count = 0; count < maxDigits && pos < text.size() && IsDigit(text[pos]);
         ++count, ++pos) {
        value = value * 10 + (text[pos] - '0');
    }
    return value;
}

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

CalendarDate CompleteDate(std::string_view text, const CalendarDate& today)
{
    std::size_t pos = 0;
    CalendarDate date;
    date.day = ReadGroup(text, pos, 2);
    date.month = ReadGroup(text, pos, 2);
    date.year = ReadGroup(text, pos, 4);

    if (date.year >= 1 && date.year <= 50) {
        date.year += 2000;
    } else if (date.year >= 51 && date.year <= 99) {
        date.year += 1900;
    }

    if (date.day == 0 && date.month == 0 && date.year == 0) {
        return today;
    }
    if (date.year == 0 && date.day != 0) {
        date.year = today.year;
        if (date.month == 0) {
            date.month = today.month;
        }
    }

    if (date.month < 1) {
        date.month = 1;
    } else if (date.month > 12) {
        date.month = 12;
    }
    while (date.day > DaysInMonth(date.year, date.month)) {
        --date.day;
    }

    // A year is 0 here only together with a day of 0.
    if (date.day < 1 || date.year < 1) {
        throw EConvertError("Ungültiges Argument zum Codieren des Datums");
    }
    return date;
}

}  // namespace ostrel
