#include "settings/StoredValue.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(StoredValue, IntegersParseDecimalOrHexAndKeepCurrentOtherwise)
{
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"0", 0},          {"3", 3},           {"-1", -1},        {"+7", 7},
        {"0x10", 16},      {"0X1f", 31},       {"0xFFFFFFFF", -1}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},            {"2147483648", 42}, {"0x100000000", 42},
        {"0x", 42},        {"abc", 42},        {"", 42},          {"12a", 42},
        {" 5", 42},        {"-", 42},          {"0xG", 42},       {"$10", 42},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseStoredInteger(c.text, 42), c.expected) << c.text;
    }
}

TEST(StoredValue, BooleansAreNonZeroIntegers)
{
    EXPECT_TRUE(ParseStoredBoolean("2", false));
    EXPECT_FALSE(ParseStoredBoolean("0", true));
    EXPECT_TRUE(ParseStoredBoolean("yes", true));
    EXPECT_FALSE(ParseStoredBoolean("yes", false));
    EXPECT_EQ(StoredBooleanText(true), "1");
    EXPECT_EQ(StoredIntegerText(-3), "-3");
}

}  // namespace
}  // namespace ostrel
