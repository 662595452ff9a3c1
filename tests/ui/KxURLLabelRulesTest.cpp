#include "ui/KxCheckCompilerSwitches.h"
#include "ui/KxURLLabelRules.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

namespace ostrel::kx {
namespace {

TEST(KxURLLabelRules, TargetIsTheUrlOrTheCaptionWithMailtoForMail)
{
    EXPECT_EQ(UrlTarget(urlWeb, "", "https://ostrel.example/"), "https://ostrel.example/");
    EXPECT_EQ(UrlTarget(urlWeb, "https://other.example/a b", "caption"), "https://other.example/a b");
    EXPECT_EQ(UrlTarget(urlMail, "", "support@ostrel.example"), "mailto:support@ostrel.example");
    EXPECT_EQ(UrlTarget(urlMail, "x@y.example?subject=Hi", "caption"), "mailto:x@y.example?subject=Hi");
    EXPECT_EQ(UrlTarget(urlMail, "", ""), "mailto:");
    EXPECT_EQ(UrlTarget(urlWeb, "", ""), "");
    // A blank URL is still a URL.
    EXPECT_EQ(UrlTarget(urlWeb, " ", "caption"), " ");
}

TEST(KxURLLabelRules, ReleaseOnTheRightOrBottomEdgeCountsAsOnTheLabel)
{
    const int width = 73;
    const int height = 13;
    const struct {
        int x;
        int y;
        bool on;
    } cases[] = {
        {0, 0, true},    {72, 12, true},  {73, 13, true},  {73, 0, true},    {0, 13, true},
        {-1, 5, false},  {5, -1, false},  {74, 5, false},  {5, 14, false},   {74, 14, false},
        {-32768, 0, false}, {0, 32767, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReleasedOnLabel(c.x, c.y, width, height), c.on) << c.x << "," << c.y;
    }
    EXPECT_TRUE(ReleasedOnLabel(0, 0, 0, 0));
}

TEST(CheckCompilerSwitches, AppendsTheThirteenLinesInTheAnsiCodePage)
{
    std::vector<std::string> lines = {"before"};
    CheckCompilerSwitches(&lines);
    const std::vector<std::string> expected = {
        "before",
        "(-)  Vollst\xE4ndige Bool-Pr\xFC" "fung",
        "(-)  Assertions",
        "(-)  Debuginformationen",
        "(+) I/O-Pr\xFC" "fung",
        "(-)  Lokale Debugsymbole",
        "(-)  RTTI",
        "(+) Optimierung",
        "(-)  \xDC" "berlaufpr\xFC" "fung",
        "(-)  Bereichspr\xFC" "fung",
        "(-)  SaveDivide",
        "(-)  Stackframes",
        "(+) Erweiterte Syntax",
        "(-)  Symbolinformation",
    };
    EXPECT_EQ(lines, expected);
}

TEST(CheckCompilerSwitches, NoListRaises)
{
    try {
        CheckCompilerSwitches(nullptr);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.ClassName(), "Exception");
        EXPECT_EQ(error.Message(), "Liste in CheckCompilerSwitches ist nicht assigned");
    }
}

}  // namespace
}  // namespace ostrel::kx
