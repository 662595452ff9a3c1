#include "base/FilePath.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(FilePath, PartsOfWindowsPaths)
{
    EXPECT_EQ(ChangeFileExt("C:\\The Bat\\Ostrel.bav", ".ini"), "C:\\The Bat\\Ostrel.ini");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\plugin", ".ini"), "C:\\a.b\\plugin.ini");
    EXPECT_EQ(ChangeFileExt("", ".ini"), ".ini");
    EXPECT_EQ(ExtractFileDir("C:\\Logs\\x\\ostrel.log"), "C:\\Logs\\x");
    EXPECT_EQ(ExtractFileDir("C:\\ostrel.log"), "C:\\");
    EXPECT_EQ(ExtractFileDir("ostrel.log"), "");
    EXPECT_EQ(ExtractFilePath("C:\\Logs\\ostrel.log"), "C:\\Logs\\");
    EXPECT_EQ(ExtractFileName("C:\\Logs\\ostrel.log"), "ostrel.log");
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\c"), "");
}

}  // namespace
}  // namespace ostrel
