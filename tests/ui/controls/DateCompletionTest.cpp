#include "ui/controls/DateCompletion.h"

#include "base/Exception.h"
#include "log/LogLines.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

std::string Completed(const char* text, const CalendarDate& today)
{
    const CalendarDate date = CompleteDate(text, today);
    return FormatDateTime("dd.mm.yyyy", {date.year, date.month, date.day});
}

TEST(DateCompletion, GroupsYearsAndMissingParts)
{
    const std::pair<const char*, const char*> rows[] = {
        // The German table on 15 March 2004.
        {"5", "05.03.2004"}, {"5.7", "05.07.2004"}, {"31.4.04", "30.04.2004"},
        {"29.2.2001", "28.02.2001"}, {"29.2.2000", "29.02.2000"}, {"1.1.51", "01.01.1951"},
        {"31.13.2004", "31.12.2004"}, {"abc", "15.03.2004"}, {"010504", "01.05.2004"},
        // Any non-digits separate; a leading one is no empty day.
        {" 7/8-2010", "07.08.2010"}, {".5.2004", "05.12.2004"}, {"1.2.200456", "01.02.2004"},
        {"3112", "31.12.2004"}, {"31.0.2004", "31.01.2004"}, {"99.99.1900", "31.12.1900"},
        {"29.2.2400", "29.02.2400"}, {"1.1.50", "01.01.2050"}, {"1.1.0099", "01.01.1999"},
        {"1.1.100", "01.01.0100"}, {"1.1.00", "01.01.2004"}, {"", "15.03.2004"},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(Completed(text, {2004, 3, 15}), expected) << text;
    }
    // A given year takes nothing from today, not even the month.
    EXPECT_EQ(Completed("31", {2008, 2, 29}), "29.02.2008");
    EXPECT_EQ(Completed("31.0.2001", {2008, 2, 29}), "31.01.2001");
}

TEST(DateCompletion, DayZeroWithMonthOrYearFails)
{
    for (const char* text : {"0.7", "00.05", "0/0/1", "0.13.99"}) {
        EXPECT_THROW(CompleteDate(text, {2004, 3, 15}), EConvertError) << text;
    }
    try {
        CompleteDate("0.0.2004", {2004, 3, 15});
        ADD_FAILURE();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Ungültiges Argument zum Codieren des Datums");
    }
}

}  // namespace
}  // namespace ostrel
