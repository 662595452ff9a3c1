#include "base/TextLines.h"
#include "log/LogLines.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

using Lines = std::vector<std::string>;

TEST(LogLines, StampFormat)
{
    LocalDateTime moment{2004, 5, 1, 13, 45, 7};
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd, hh:nn:ss", moment), "2004-05-01, 13:45:07");
    EXPECT_EQ(FormatDateTime("[dd.mm.yyyy] x", moment), "[01.05.2004] x");
}

TEST(LogLines, MessageLines)
{
    const std::string stamp = "2004-05-01, 13:45:07";
    const std::string indent(22, ' ');
    struct Case {
        std::string text;
        Lines expected;
    };
    const Case cases[] = {
        {"abc", {stamp + ": abc"}},
        {"a\r\n\r\nb", {stamp + ": a", indent, indent + "b"}},
        {"abc\r\n", {stamp + ": abc"}},
        {"", {}},
        {"\r\n", {}},
        {"\r\nx", {stamp + ": ", indent + "x"}},
        {"a\rb\nc", {stamp + ": a\rb\nc"}},
        {std::string(5000, 'x'), {stamp + ": " + std::string(4093, 'x') + "..."}},
        {std::string(3000, 'a') + "\n" + std::string(3000, 'b') + "\n",
         {stamp + ": " + std::string(3000, 'a') + "\n" + std::string(3000, 'b') + "\n"}},
        {"a\r" + std::string(5000, 'c') + "\nd",
         {stamp + ": a\r" + std::string(4093, 'c') + "...\nd"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageLinesText(stamp, c.text), JoinFileLines(c.expected)) << c.text;
    }
}

TEST(LogLines, FileLinesSplitAtAnyBreakAndJoinWithCrLf)
{
    EXPECT_EQ(SplitFileLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitFileLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitFileLines(""), Lines{});
    EXPECT_EQ(JoinFileLines({"a", ""}), "a\r\n\r\n");
}

}  // namespace
}  // namespace ostrel
