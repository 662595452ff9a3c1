#include "scanner/ReportExcerpt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrel {
namespace {

TEST(ReportExcerpt, KeepsTheFirstAndTheLastLinesWithText)
{
    TReportExcerpt excerpt;
    excerpt.Feed("\r\n   \r\n\tostrelscan: ClamAV daemon\r\n");
    for (int i = 1; i <= 9; ++i) {
        excerpt.Feed("line " + std::to_string(i) + "\r\n\r\n");
    }
    // A bare CR ends a line too; control characters show as blanks.
    excerpt.Feed("cut\rERROR:\x01\x07" "at the end");
    EXPECT_EQ(excerpt.FirstLine(), "ostrelscan: ClamAV daemon");
    EXPECT_EQ(excerpt.LastLines(), (std::vector<std::string>{"line 4", "line 5", "line 6", "line 7", "line 8",
                                                             "line 9", "cut", "ERROR:  at the end"}));
}

TEST(ReportExcerpt, LongLinesAreCutAndNothingIsAnEmptyExcerpt)
{
    TReportExcerpt excerpt;
    EXPECT_EQ(excerpt.FirstLine(), "");
    EXPECT_TRUE(excerpt.LastLines().empty());
    const std::string longLine(100000, 'x');
    excerpt.Feed(longLine);
    excerpt.Feed(longLine + "\n" + std::string(TReportExcerpt::MaxLineLength, 'y'));
    const std::string cut = std::string(TReportExcerpt::MaxLineLength - 3, 'x') + "...";
    EXPECT_EQ(excerpt.FirstLine(), cut);
    EXPECT_EQ(excerpt.LastLines(),
              (std::vector<std::string>{cut, std::string(TReportExcerpt::MaxLineLength, 'y')}));
}

}  // namespace
}  // namespace ostrel
