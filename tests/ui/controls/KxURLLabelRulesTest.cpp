#include "ui/controls/KxURLLabelRules.h"

#include <gtest/gtest.h>

namespace ostrel::kx {
namespace {

TEST(KxURLLabelRules, TargetAndReleasePoint)
{
    EXPECT_EQ(UrlTarget(urlWeb, "", "https://ostrel.example/"), "https://ostrel.example/");
    EXPECT_EQ(UrlTarget(urlWeb, "https://url.example/", "caption"), "https://url.example/");
    EXPECT_EQ(UrlTarget(urlMail, "", "support@ostrel.example"), "mailto:support@ostrel.example");
    EXPECT_EQ(UrlTarget(urlMail, "a@b.example?subject=Hi", "caption"), "mailto:a@b.example?subject=Hi");
    EXPECT_EQ(UrlTarget(urlWeb, " ", "caption"), " ");  // a blank URL is still one

    // The right and bottom edges (x = width, y = height) count as on the label.
    for (const auto& [x, y] : {std::pair{0, 0}, {73, 13}, {73, 0}, {0, 13}}) {
        EXPECT_TRUE(ReleasedOnLabel(x, y, 73, 13)) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{-1, 5}, {5, -1}, {74, 5}, {5, 14}, {-32768, 32767}}) {
        EXPECT_FALSE(ReleasedOnLabel(x, y, 73, 13)) << x << "," << y;
    }
}

}  // namespace
}  // namespace ostrel::kx
