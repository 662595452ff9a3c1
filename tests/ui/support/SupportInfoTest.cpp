#include "ui/support/OstrelSupportInfo.h"

#include "settings/ConfigError.h"
#include "settings/RegistryKey.h"
#include "support/TestDialogContext.h"
#include "support/TestFiles.h"
#include "sysinfo/SystemQueries.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace ostrel::test {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* MailClientKey = "Software\\RIT\\The Bat!";
const std::string Rule(78, '-');

// The user's regional overrides for one test, put back afterwards.
class ScopedSeparators {
public:
    ScopedSeparators(const char* thousand, const char* time)
    {
        for (LCTYPE item : Items) {
            char buffer[80] = {};
            GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
            saved_.emplace_back(buffer);
        }
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand);
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, time);
    }
    ~ScopedSeparators()
    {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            SetLocaleInfoA(LOCALE_USER_DEFAULT, Items[i], saved_[i].c_str());
        }
    }

private:
    // Setting the time separator rewrites the time format: restored last.
    static constexpr LCTYPE Items[] = {LOCALE_STHOUSAND, LOCALE_STIME, LOCALE_STIMEFORMAT};
    Lines saved_;
};

// A file of the given size (sparse) last written at a local time.
void MakeFile(const std::string& path, int64_t size, SYSTEMTIME local)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = size;
    SYSTEMTIME universal;
    FILETIME written;
    ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) &&
                SetEndOfFile(file.get()) &&
                TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) &&
                SystemTimeToFileTime(&universal, &written) &&
                SetFileTime(file.get(), nullptr, nullptr, &written));
}

class SupportInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegistryKey::DeleteTree(HKEY_CURRENT_USER, MailClientKey);
        SetEnvironmentVariableA("TEMP", "C:\\Temp");
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("TEMP", savedTemp_.c_str());
        RegistryKey::DeleteTree(HKEY_CURRENT_USER, MailClientKey);
    }

    void SetScanner(const std::string& path)
    {
        plugin_.config.Update([&](ConfigValues& values) { values.AVPExeName = path; });
    }
    RegistryKey MailClient()
    {
        return *RegistryKey::Open(HKEY_CURRENT_USER, MailClientKey, KEY_ALL_ACCESS, true);
    }

    // Cut at each long rule: the stamp lines, then the settings, scanner,
    // mail client and system sections.
    std::vector<Lines> BuildSections()
    {
        Lines lines;
        BuildSupportInfo(plugin_.Context(), lines);
        std::vector<Lines> sections(1);
        for (const std::string& line : lines) {
            if (line == Rule) {
                sections.emplace_back();
            }
            sections.back().push_back(line);
        }
        EXPECT_EQ(sections.size(), 5u);
        sections.resize(5);
        return sections;
    }

    ScopedSeparators german_{".", ":"};
    TempDir folder_;
    std::string savedTemp_ = GetEnvironmentValue("TEMP");
    TestDialogContext plugin_;
};

TEST_F(SupportInfo, HeaderAndSettingsFromMemory)
{
    plugin_.config.Update([&](ConfigValues& values) {
        values.AVPExeName = "C:\\AntiVir\\Avnt.exe";
        values.AVPScanParam = "-z";
        values.HelpFileName = "C:\\Help\\ostrel.hlp";
        values.Disabled = true;
        values.LogFileName = folder_.File("ostrel.log");
        values.MaxLogLevel = 3;
    });
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::vector<Lines> sections = BuildSections();

    ASSERT_EQ(sections[0].size(), 4u);
    EXPECT_EQ(sections[0][0], "Supportinfo zu: C:\\Mail\\Ostrel.bav");
    EXPECT_EQ(sections[0][1], "Version: 1.2.3.4");
    char date[16];
    snprintf(date, sizeof date, "%02d.%02d.%04d, ", now.wDay, now.wMonth, now.wYear);
    EXPECT_EQ(sections[0][2].substr(0, 12), date);
    EXPECT_EQ(sections[0][2].size(), 17u);
    EXPECT_EQ(sections[0][3], "Aufrufer: " + ProgramFolder() + "\\win_tests.exe");

    EXPECT_EQ(sections[1], (Lines{Rule, "", "Einstellungen:", std::string(14, '-'),
                                  "AVP                 =C:\\AntiVir\\Avnt.exe",
                                  "Scan-Parameter         =-z",
                                  "Cure-Parameter         =-nomem -noboot -nombr -z -e",
                                  "Hilfedatei             =C:\\Help\\ostrel.hlp",
                                  "Ausgeschaltet          =True", "", "",
                                  "Protokoll aktiv        =False",
                                  "Protokolldatei         =" + folder_.File("ostrel.log"),
                                  "Pfad existiert         =True",
                                  "Protokolltiefe         =3",
                                  "Ausgabe protokollieren =False", ""}));
}

TEST_F(SupportInfo, NoScannerAndNoMailClient)
{
    std::vector<Lines> sections = BuildSections();
    EXPECT_EQ(sections[1][13], "Pfad existiert         =False");
    EXPECT_EQ(sections[2], (Lines{Rule, "", "Informationen zu AVP:", std::string(24, '-'), "",
                                  "Nicht gefunden: ", ""}));
    EXPECT_EQ(sections[3], (Lines{Rule, "", "Informationen zu The Bat!:", std::string(26, '-'),
                                  "Informationen zu The Bat! nicht in Registry gefunden", ""}));

    SetScanner(folder_.File("Avnt.exe"));
    EXPECT_EQ(BuildSections()[2][5], "Nicht gefunden: " + folder_.File("Avnt.exe"));
}

TEST_F(SupportInfo, ScannerFolderListing)
{
    MakeFile(folder_.File("Avnt.exe"), 1234567, {2004, 4, 0, 20, 13, 5, 9, 0});
    MakeFile(folder_.File("huge.dat"), 5000000000LL, {2010, 1, 0, 2, 3, 4, 5, 0});
    ASSERT_TRUE(CreateDirectoryA(folder_.File("Engine").c_str(), nullptr));
    SetScanner(folder_.File("Avnt.exe"));

    Lines scanner = BuildSections()[2];
    ASSERT_EQ(scanner.size(), 11u);
    EXPECT_EQ(scanner[4], folder_.Path());
    EXPECT_EQ(scanner[10], "");
    // The file system's order is its own.
    Lines entries(scanner.begin() + 5, scanner.end() - 1);
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries[0].substr(0, 36), "    .                              0");
    EXPECT_EQ(entries[1].substr(0, 36), "    ..                             0");
    EXPECT_EQ(entries[2], "    Avnt.exe               1.234.567   20.04.2004   13:05:09");
    EXPECT_EQ(entries[3].substr(0, 36), "    Engine                         0");
    EXPECT_EQ(entries[4], "    huge.dat            5.000.000.000   02.01.2010   03:04:05");

    ScopedSeparators other("'", ".");
    scanner = BuildSections()[2];
    EXPECT_NE(std::find(scanner.begin(), scanner.end(),
                        "    Avnt.exe               1'234'567   20.04.2004   13.05.09"),
              scanner.end());
}

TEST_F(SupportInfo, MailClientWithConfigurationFile)
{
    RegistryKey key = MailClient();
    key.WriteString("EXE path", "C:\\Program Files\\The Bat!\\thebat.exe");
    key.WriteString("Version", "3.99.29");
    key.WriteString("Working Directory", folder_.Path() + "\\");
    WriteFileBytes(folder_.File("AVConfig.ini"), "[Ostrel]\r\nPlugin=Ostrel.bav\r\n\r\nMode=1");

    EXPECT_EQ(BuildSections()[3],
              (Lines{Rule, "", "Informationen zu The Bat!:", std::string(26, '-'),
                     "Pfad zu The Bat!: C:\\Program Files\\The Bat!\\thebat.exe",
                     "Version:          3.99.29", "Nachrichtenpfad:  " + folder_.Path() + "\\",
                     "", "Inhalt von AVConfig.ini:", std::string(24, '-'), "  [Ostrel]",
                     "  Plugin=Ostrel.bav", "  ", "  Mode=1", ""}));

    // Read as a whole or not at all.
    UniqueFile locked(CreateFileA(folder_.File("AVConfig.ini").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    Lines mailClient = BuildSections()[3];
    ASSERT_EQ(mailClient.size(), 12u);
    EXPECT_EQ(mailClient[10].rfind("Fehler beim Lesen von " + folder_.File("AVConfig.ini") +
                                       ": EOSError / Systemfehler.  Code: 32.",
                                   0),
              0u)
        << mailClient[10];
}

TEST_F(SupportInfo, WorkingDirectoryTakenAsStored)
{
    std::string appData;
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_APPDATA, false, appData));
    MailClient().WriteString("Working Directory", "%appdata%\\BatMail\\");
    EXPECT_EQ(BuildSections()[3],
              (Lines{Rule, "", "Informationen zu The Bat!:", std::string(26, '-'),
                     "Nachrichtenpfad:  " + appData + "\\BatMail\\", "",
                     "Inhalt von AVConfig.ini:", std::string(24, '-'),
                     "Nicht gefunden: " + appData + "\\BatMail\\AVConfig.ini", ""}));

    MailClient().WriteString("Working Directory", "C:\\Mail");
    EXPECT_EQ(BuildSections()[3][8], "Nicht gefunden: C:\\MailAVConfig.ini");
}

TEST_F(SupportInfo, WrongValueKindStopsTheReport)
{
    RegistryKey key = MailClient();
    key.WriteString("EXE path", "C:\\thebat.exe");
    key.WriteInteger("Version", 3);
    Lines lines;
    EXPECT_THROW(BuildSupportInfo(plugin_.Context(), lines), ERegConfigError);
    EXPECT_EQ(lines.back(), "Pfad zu The Bat!: C:\\thebat.exe");
}

TEST_F(SupportInfo, SystemSectionEndsTheReport)
{
    WindowsVersionInfo version = GetWindowsVersionInfo();
    Lines system = BuildSections()[4];
    ASSERT_EQ(system.size(), 12u);
    EXPECT_EQ(system, (Lines{Rule, "", "Systeminformationen:", std::string(20, '-'),
                             "Betriebssystem: " + version.Name + ", Version: " +
                                 std::to_string(version.Major) + "." +
                                 std::to_string(version.Minor) + " Build " +
                                 std::to_string(version.Build),
                             version.ServicePack, "", system[7], "",
                             "Bildschirmauflösung: " +
                                 std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " * " +
                                 std::to_string(GetSystemMetrics(SM_CYSCREEN)),
                             "", "Temp-Dir: C:\\Temp"}));
    // The available memory moves; the total does not.
    const uint64_t total = GetPhysicalMemory().Total / 1048576;
    ASSERT_GE(total, 1000u);
    char below[8];
    snprintf(below, sizeof below, "%03u", static_cast<unsigned>(total % 1000));
    const std::string start =
        "phys. Arbeitsspeicher: Total: " + std::to_string(total / 1000) + "." + below + " MB, verfügbar: ";
    EXPECT_EQ(system[7].rfind(start, 0), 0u) << system[7];
}

}  // namespace
}  // namespace ostrel::test
