#include "ui/support/SupportInfoText.h"

#include <gtest/gtest.h>

#include <map>

namespace ostrel {
namespace {

TEST(SupportInfoText, NumberPictures)
{
    EXPECT_EQ(FormatGroupedNumber(0, "."), "0");
    EXPECT_EQ(FormatGroupedNumber(999, "."), "999");
    EXPECT_EQ(FormatGroupedNumber(123456, "."), "123.456");
    EXPECT_EQ(FormatGroupedNumber(5000000000ULL, "\xA0"), "5\xA0" "000\xA0" "000\xA0" "000");

    EXPECT_EQ(FormatMegabytes(1048575, "."), " MB");
    EXPECT_EQ(FormatMegabytes(2 * 1048576 - 1, "."), "1 MB");
    // Beyond 2 GB the count is no negative number.
    EXPECT_EQ(FormatMegabytes(0xC0000000, "."), "3.072 MB");
    EXPECT_EQ(FormatMegabytes(0xFFFFFFFF, ","), "4,095 MB");
    EXPECT_EQ(FormatMegabytes(uint64_t{24} << 30, "."), "24.576 MB");
}

TEST(SupportInfoText, ListingAndStampColumns)
{
    const LocalDateTime written{2004, 4, 20, 13, 5, 9};
    const ReportSeparators german{".", ":"};
    EXPECT_EQ(FormatListingLine("Avnt.exe", 1234567, written, german),
              "    Avnt.exe               1.234.567   20.04.2004   13:05:09");
    // Names are cut to 20; a size too wide for its 12 is written whole.
    EXPECT_EQ(FormatListingLine("abcdefghijklmnopqrstuvwxy", 1234567890, written, german),
              "    abcdefghijklmnopqrst1.234.567.890   20.04.2004   13:05:09");
    EXPECT_EQ(FormatListingLine(".", 0, {1999, 12, 31, 0, 0, 0}, {"'", "."}),
              "    .                              0   31.12.1999   00.00.00");
    EXPECT_EQ(FormatReportDateTime("dd.mm.yyyy, hh:nn", {2024, 1, 2, 3, 4, 5}, " h "),
              "02.01.2024, 03 h 04");
}

TEST(SupportInfoText, ReplaceIgnoresCaseAndDoesNotRescan)
{
    EXPECT_EQ(ReplaceTextNoCase("%appdata%\\a\\%AppData%", "%APPDATA%", "X"), "X\\a\\X");
    EXPECT_EQ(ReplaceTextNoCase("%äPPDATA%", "%ÄPPDATA%", "X"), "X");
    EXPECT_EQ(ReplaceTextNoCase("%APPDATA%", "%APPDATA%", "%APPDATA%%APPDATA%"),
              "%APPDATA%%APPDATA%");
}

class WorkingDirectory : public ::testing::Test {
protected:
    std::string Expand(const std::string& directory)
    {
        return ExpandWorkingDirectory(directory, [this](int folderId, std::string& path) {
            asked.push_back(folderId);
            auto found = folders.find(folderId);
            path = found == folders.end() ? "" : found->second;
            return found != folders.end();
        });
    }

    std::map<int, std::string> folders{
        {0x1A, "C:\\Users\\Ann\\AppData\\Roaming"},
        {0x23, "C:\\Documents and Settings\\All Users\\Application Data"}};
    std::vector<int> asked;
};

TEST_F(WorkingDirectory, PlaceholdersBecomeFolders)
{
    EXPECT_EQ(Expand("%appdata%\\BatMail\\"), "C:\\Users\\Ann\\AppData\\Roaming\\BatMail\\");
    EXPECT_EQ(Expand("%AllUsersProfile%\\A\\%ALLUSERSPROFILE%\\"),
              "C:\\Documents and Settings\\All Users\\A\\C:\\Documents and Settings\\All Users\\");
    folders[0x23] = "C:\\ProgramData";
    EXPECT_EQ(Expand("%APPDATA%;%ALLUSERSPROFILE%The Bat!\\"),
              "C:\\Users\\Ann\\AppData\\Roaming;C:\\The Bat!\\");
    asked.clear();
    EXPECT_EQ(Expand("C:\\Mail"), "C:\\Mail");
    EXPECT_TRUE(asked.empty());
}

TEST_F(WorkingDirectory, UnknownFolderKeepsPlaceholder)
{
    folders.erase(0x1A);
    EXPECT_EQ(Expand("%AppData%\\%ALLUSERSPROFILE%\\"),
              "%AppData%\\C:\\Documents and Settings\\All Users\\");
}

}  // namespace
}  // namespace ostrel
