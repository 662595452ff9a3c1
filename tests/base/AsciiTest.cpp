#include "base/Ascii.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(Ascii, IntegersTakeASignAndAnyLeadingZerosButNothingElse)
{
    EXPECT_EQ(ParseInteger32("42"), 42);
    EXPECT_EQ(ParseInteger32("+0"), 0);
    EXPECT_EQ(ParseInteger32("-0"), 0);
    EXPECT_EQ(ParseInteger32("00000000000000000042"), 42);
    EXPECT_EQ(ParseInteger32("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger32("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInteger32("-0000000000002147483648"), INT32_MIN);
    for (const char* text : {"", "-", "+", "2147483648", "-2147483649", "99999999999999999999999", " 1", "1 ",
                             "+-1", "1a", "0x10", "\xB2"}) {
        EXPECT_EQ(ParseInteger32(text), std::nullopt) << text;
    }
    EXPECT_EQ(ParseDecimal32("2147483648", true), INT32_MIN);
    EXPECT_EQ(ParseDecimal32("-1", false), std::nullopt);
}

}  // namespace
}  // namespace ostrel
