#include "base/AnsiString.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(AnsiString, UpperCaseByWindows1252)
{
    EXPECT_EQ(AnsiUpperCase("verd\xE4" "chtig: \xFC\xF6 \xDF\xB5 \x9A\xFF \xF7"),
              "VERD\xC4" "CHTIG: \xDC\xD6 \xDF\xB5 \x8A\x9F \xF7");
    EXPECT_EQ(TrimBlanks("\t  a b \r\n\x01"), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
}

}  // namespace
}  // namespace ostrel
