#include "VersionInfoTexts.h"
#include "support/TestFiles.h"

#include "base/AnsiString.h"
#include "sysinfo/KxVersion.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace ostrel::test {
namespace {

std::string Beside(const std::string& name)
{
    return ProgramFolder() + "\\" + name;
}

TEST(KxVersionResource, ReadsThePluginsOwnResource)
{
    const std::string plugin = Beside("Ostrel.bav");
    const TKxVersionInfo info = TKxVersionResource(plugin).VersionInfo();
    EXPECT_EQ(info.FileVersion, "1.0.0.0");
    EXPECT_EQ(info.ProductVersion, "1.0.0.0");
    EXPECT_EQ(info.FileOS, "32 bit Windows");
    EXPECT_EQ(info.FileType, "Dynamic-Link Library");
    EXPECT_EQ(info.FileSubType, "");
    EXPECT_EQ(info.CompanyName, "Dunmere");
    EXPECT_EQ(info.OriginalFileName, "Ostrel.bav");
    EXPECT_NE(info.Comment, "");
    EXPECT_NE(info.LegalTradeMarks, "");
    EXPECT_EQ(GetFileVersion(plugin), "1.0.0.0");
}

TEST(KxVersionResource, EveryWriteReadsTheStringTableAgain)
{
    TKxVersionResource resource(Beside("version_german.dll"));
    int changes = 0;
    resource.OnChange = [&](TKxVersionResource& sender) {
        EXPECT_EQ(&sender, &resource);
        ++changes;
    };
    TKxVersionInfo info = resource.VersionInfo();
    EXPECT_EQ(info.FileVersion, "2.1.3.10");
    EXPECT_EQ(info.ProductVersion, "2.0.0.0");
    EXPECT_EQ(info.FileOS, "Windows NT with 32 bit Windows");
    EXPECT_EQ(info.FileType, "Application");
    EXPECT_EQ(info.FileSubType, "");
    EXPECT_EQ(info.CompanyName, "");
    EXPECT_EQ(info.Comment, "");

    resource.SetLanguage(TLanguage::lnGerman);
    info = resource.VersionInfo();
    EXPECT_EQ(info.Comment, "Nur auf Deutsch");
    EXPECT_EQ(info.CompanyName, "Müller & Söhne");
    EXPECT_EQ(info.LegalCopyright, "© 2026 Müller");
    // Found under the usual spelling: the system matches names without case.
    EXPECT_EQ(info.LegalTradeMarks, "Keine");
    EXPECT_EQ(info.OriginalFileName, "pruefer.exe");
    EXPECT_EQ(info.PrivateBuild, "Nur für Tests");
    EXPECT_EQ(info.SpecialBuild, "Sonderbau");
    EXPECT_EQ(info.FileVersion, "2.1.3.10");
    EXPECT_EQ(info.ProductVersion, "2.0.0.0");

    resource.SetCharacterSet(TCharacterSet::csLatin2);
    EXPECT_EQ(resource.VersionInfo().CompanyName, "");
    EXPECT_EQ(resource.VersionInfo().FileVersion, "2.1.3.10");
    EXPECT_EQ(changes, 2);
}

TEST(KxVersionResource, DriverAndFontCodes)
{
    TKxVersionInfo info = TKxVersionResource(Beside("version_driver.dll")).VersionInfo();
    EXPECT_EQ(info.FileType, "Device Driver");
    EXPECT_EQ(info.FileSubType, "Sound");
    EXPECT_EQ(info.FileOS, "32 bit Windows with MS-Dos");
    EXPECT_EQ(info.CompanyName, "Dunmere");
    EXPECT_EQ(info.Comment, "");
    EXPECT_EQ(info.ProductVersion, "2.0 beta");

    info = TKxVersionResource(Beside("version_font.dll")).VersionInfo();
    EXPECT_EQ(info.FileType, "Font");
    EXPECT_EQ(info.FileSubType, "TrueType");
    EXPECT_EQ(info.FileOS, "Unknown");
    EXPECT_EQ(info.FileVersion, "65535.0.65535.1");
    EXPECT_EQ(info.ProductVersion, "1.0.0.0");
    EXPECT_EQ(info.CompanyName, "");
}

TEST(KxVersionResource, UnreadableFilesLeaveNoTextBehind)
{
    TKxVersionResource resource(Beside("version_driver.dll"));
    resource.SetFileName(Beside("version_none.dll"));
    EXPECT_EQ(AllTexts(resource.VersionInfo()), NoTexts);
    resource.SetFileName(Beside("version_driver.dll"));
    resource.SetFileName(Beside("missing.dll"));
    EXPECT_EQ(AllTexts(resource.VersionInfo()), NoTexts);

    EXPECT_EQ(GetFileVersion(Beside("version_none.dll")), "");
    EXPECT_EQ(GetFileVersion(Beside("missing.dll")), "");
    EXPECT_EQ(GetFileVersion(""), "");
}

TEST(KxVersionResource, OnlyAnotherFileNameIsStored)
{
    char path[MAX_PATH];
    const std::string executable(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    TKxVersionResource resource;
    EXPECT_EQ(resource.FileName(), executable);
    EXPECT_FALSE(resource.FileNameStored());
    EXPECT_EQ(resource.VersionInfo().FileVersion, "");

    // The comparison is exact, although the file system ignores case.
    resource.SetFileName(AnsiUpperCase(executable));
    EXPECT_TRUE(resource.FileNameStored());
    resource.SetFileName(executable);
    EXPECT_FALSE(resource.FileNameStored());
    EXPECT_TRUE(TKxVersionResource(Beside("version_font.dll")).FileNameStored());
}

}  // namespace
}  // namespace ostrel::test
