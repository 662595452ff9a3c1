#include "lang/Ordinals.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(StrToOrdinal, NumbersIdentifiersAndHashHex)
{
    struct Case {
        const char* text;
        std::optional<int32_t> expected;
    };
    const Case cases[] = {
        {"255", 255},          {"-12", -12},            {"+7", 7},
        {"$FF", 255},          {"x1f", 31},             {"0x10", 16},
        {"-$10", -16},         {"$FFFFFFFF", -1},       {"2147483648", std::nullopt},
        {"clRed", 255},        {"CLRED", 255},          {"clBtnFace", -16777201},
        {"clMenuBar", -16777186}, {"clNone", 536870911}, {"crHandPoint", -21},
        {"crSize", -22},       {"OEM_CHARSET", 255},    {"ansi_charset", 0},
        {"#FF", 255},          {"#ff0000", 16711680},   {"#", std::nullopt},
        {"red", std::nullopt}, {"", std::nullopt},      {"12px", std::nullopt},
        {"$", std::nullopt},   {"#123456789", std::nullopt}, {"- 5", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrToOrdinal(c.text), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace ostrel
