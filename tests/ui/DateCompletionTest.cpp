#include "ui/DateCompletion.h"

#include "base/Exception.h"
#include "log/LogLines.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

const CalendarDate Today{2004, 3, 15};

std::string Completed(const std::string& text, const CalendarDate& today = Today)
{
    const CalendarDate date = CompleteDate(text, today);
    return FormatDateTime("dd.mm.yyyy", {date.year, date.month, date.day});
}

TEST(DateCompletion, GermanTableOnFifteenthOfMarch)
{
    const std::pair<const char*, const char*> rows[] = {
        {"5", "05.03.2004"},          {"5.7", "05.07.2004"},  {"31.4.04", "30.04.2004"},
        {"29.2.2001", "28.02.2001"},  {"29.2.2000", "29.02.2000"}, {"1.1.51", "01.01.1951"},
        {"31.13.2004", "31.12.2004"}, {"abc", "15.03.2004"},   {"010504", "01.05.2004"},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(Completed(text), expected) << text;
    }
}

TEST(DateCompletion, GroupsAndSeparators)
{
    const std::pair<const char*, const char*> rows[] = {
        // Any non-digits separate, also before the first group.
        {"  7/8-2010 ", "07.08.2010"},
        {"x3y4z1999", "03.04.1999"},
        // A leading separator is skipped, not read as an empty day.
        {".5.2004", "05.12.2004"},
        // Only four digits make the year; the rest is ignored.
        {"1.2.200456", "01.02.2004"},
        {"311220041", "31.12.2004"},
        {"3112", "31.12.2004"},
        // The month is clamped before the day is reduced.
        {"31.0.2004", "31.01.2004"},
        {"99.99.1900", "31.12.1900"},
        {"29.2.1900", "28.02.1900"},
        {"29.2.2400", "29.02.2400"},
        {"31.6", "30.06.2004"},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(Completed(text), expected) << text;
    }
}

TEST(DateCompletion, TwoDigitYearWindow)
{
    const std::pair<const char*, int> rows[] = {
        {"1.1.1", 2001},    {"1.1.50", 2050},  {"1.1.0050", 2050}, {"1.1.99", 1999},
        {"1.1.100", 100},   {"1.1.999", 999},  {"1.1.9999", 9999}, {"1.1.00", 2004},
        {"1.1.0000", 2004},
    };
    for (const auto& [text, year] : rows) {
        EXPECT_EQ(CompleteDate(text, Today).year, year) << text;
    }
}

TEST(DateCompletion, MissingPartsComeFromToday)
{
    const CalendarDate leapDay{2008, 2, 29};
    EXPECT_EQ(CompleteDate("", leapDay), leapDay);
    EXPECT_EQ(CompleteDate("0.0.0", leapDay), leapDay);
    EXPECT_EQ(CompleteDate("31", leapDay), (CalendarDate{2008, 2, 29}));
    EXPECT_EQ(CompleteDate("31.1", leapDay), (CalendarDate{2008, 1, 31}));
    // A given year takes nothing from today, not even the month.
    EXPECT_EQ(CompleteDate("31.0.2001", leapDay), (CalendarDate{2001, 1, 31}));
}

TEST(DateCompletion, DayZeroWithMonthOrYearFails)
{
    for (const char* text : {"0.7", "0.0.2004", "00.05", "0/0/1", "0.13.99"}) {
        try {
            CompleteDate(text, Today);
            ADD_FAILURE() << text;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "Ungültiges Argument zum Codieren des Datums") << text;
        }
    }
}

}  // namespace
}  // namespace ostrel
