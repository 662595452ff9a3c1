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

// A program named by a path that depends on the current folder could run
// whatever lies there.
TEST(FilePath, FullPathsNameOnePlace)
{
    for (const char* full : {"C:\\a.exe", "c:/a.exe", "\\\\server\\share\\a.exe"}) {
        EXPECT_TRUE(IsFullPath(full)) << full;
    }
    for (const char* relative : {"", "a.exe", "ClamAV\\a.exe", "\\a.exe", "C:a.exe", "C:", "\\\\", "1:\\a"}) {
        EXPECT_FALSE(IsFullPath(relative)) << relative;
    }
}

// Windows runs anything but a program through cmd.exe.
TEST(FilePath, ProgramFilesAreExeOrCom)
{
    for (const char* program : {"C:\\a.exe", "C:\\A.EXE", "C:\\a.Com", "C:\\a.bat.exe"}) {
        EXPECT_TRUE(IsProgramFile(program)) << program;
    }
    for (const char* other :
         {"C:\\a.bat", "C:\\a.CMD", "C:\\a", "C:\\a.exe\\b", "C:\\a.exe.", "C:\\a.exe.bat", ""}) {
        EXPECT_FALSE(IsProgramFile(other)) << other;
    }
}

}  // namespace
}  // namespace ostrel
