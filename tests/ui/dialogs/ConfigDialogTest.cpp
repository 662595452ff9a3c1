#include "base/UniqueResource.h"
#include "settings/RegistryKey.h"
#include "support/DialogWindows.h"
#include "support/FormDriver.h"
#include "support/LogFileLines.h"
#include "support/MessageBoxWatcher.h"
#include "support/PluginLibrary.h"
#include "support/ProcessList.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ostrel::test {
namespace {

constexpr const char* Caption = "Configuration of Ostrel";
constexpr const char* ScannerKeys = "Software\\H+BEDV";
constexpr const char* NtKey = "Software\\H+BEDV\\AVWIN/NT";
constexpr const char* Win95Key = "Software\\H+BEDV\\AVWIN/95";
constexpr const char* DefaultScan = "-nomem -noboot -nombr -z";
constexpr const char* DefaultCure = "-nomem -noboot -nombr -z -e";

// The stored settings, as Save writes them: every key, in this order.
struct Ini {
    std::string exe = "C:\\AntiVir\\Avnt.exe";
    std::string scan = DefaultScan;
    std::string cure = DefaultCure;
    std::string logging = "0";
    std::string logFile = "C:\\Logs\\ostrel.log";
    std::string help = "C:\\Help\\Ostrel.hlp";
    std::string disabled = "0";
    std::string level = "0";
    std::string output = "0";
    std::string language;
    std::string endString = "=====";

    std::string Text() const
    {
        return "[Data]\r\nAVPExeName=" + exe + "\r\nAVPScanParam=" + scan + "\r\nAVPCureParam=" + cure +
               "\r\nLogging=" + logging + "\r\nLogFileName=" + logFile + "\r\nHelpFileName=" + help +
               "\r\nDisabled=" + disabled + "\r\nMaxLogLevel=" + level + "\r\nLogAVPOutput=" + output +
               "\r\nLanguageFileName=" + language + "\r\nEndString=" + endString + "\r\n";
    }
};

// The user's short date format, German for the test's lifetime.
class GermanShortDate {
public:
    GermanShortDate()
    {
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old_, sizeof old_);
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, "dd.MM.yyyy");
    }
    ~GermanShortDate() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old_); }
    GermanShortDate(const GermanShortDate&) = delete;
    GermanShortDate& operator=(const GermanShortDate&) = delete;

private:
    char old_[80] = {};
};

// Noon, so no time zone moves the day.
void SetLastWriteDate(const std::string& path, WORD year, WORD month, WORD day)
{
    SYSTEMTIME date = {};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    date.wHour = 12;
    FILETIME local;
    FILETIME utc;
    SystemTimeToFileTime(&date, &local);
    LocalFileTimeToFileTime(&local, &utc);
    UniqueFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    SetFileTime(file.get(), nullptr, nullptr, &utc);
}

// Creates the key below HKLM, with the scanner's folder when one is given.
void SetScannerKey(const char* path, const std::optional<std::string>& folder, REGSAM view = 0)
{
    std::optional<RegistryKey> key = RegistryKey::Open(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS | view, true);
    ASSERT_TRUE(key.has_value()) << path;
    if (folder) {
        key->WriteString("AVWPath", *folder);
    }
}

class ConfigDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteMakerKey();
        DeleteScannerKeys();
    }
    void TearDown() override
    {
        plugin.Unload();
        DeleteMakerKey();
        DeleteScannerKeys();
    }
    static void DeleteScannerKeys()
    {
        RegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, ScannerKeys);
        RegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, ScannerKeys, OtherRegistryView());
    }

    // Watchers of message boxes start after this: one that runs while the
    // module loads can deadlock Wine's loader.
    void Start(const Ini& ini)
    {
        plugin.Unload();
        WriteFileBytes(plugin.IniPath(), ini.Text());
        plugin.Load();
        EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    }
    std::string StoredIni() const { return ReadFileBytes(plugin.IniPath()); }
    int32_t Status() const { return plugin.Call("BAV_GetStatus"); }
    void ExpectFaultyEntryReported(const std::string& entry);

    // BAV_Setup with `user` acting on the dialog from another thread. A
    // dialog that does not close is cancelled, so a failure cannot hang.
    int32_t Setup(const std::function<void(HWND dialog)>& user, const char* caption = Caption)
    {
        std::atomic<bool> returned{false};
        std::thread driver([&] {
            if (HWND dialog = WaitForWindow(caption, 20000)) {
                user(dialog);
            } else {
                ADD_FAILURE() << "no window \"" << caption << "\"";
            }
            if (!WaitUntil([&] { return returned.load(); }, 10000)) {
                ADD_FAILURE() << "the dialog stayed open";
                while (!returned) {
                    CloseOpenDialogs();
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                }
            }
        });
        int32_t result = plugin.Call("BAV_Setup");
        returned = true;
        driver.join();
        return result;
    }

    // The scanner the dialog proposes when none is set; closes it with the
    // button named `closeWith`.
    std::string ProposedScanner(const char* closeWith)
    {
        Ini ini;
        ini.exe = "";
        Start(ini);
        std::string shown;
        EXPECT_EQ(Setup([&](HWND dialog) {
                      shown = TextOf(FindControl(dialog, "edtAVPExeName"));
                      PostClick(FindControl(dialog, closeWith));
                  }),
                  0);
        return shown;
    }

    PluginLibrary plugin;
};

TEST_F(ConfigDialog, OkStoresEveryControlAndReadiesThePlugin)
{
    Ini ini;
    ini.exe = "";
    ini.level = "1";
    Start(ini);
    EXPECT_EQ(Status(), -1);
    const std::string log = plugin.File("ostrel.log");
    MessageBoxWatcher watcher;
    bool lockedAtStart = false;
    bool unlocked = false;
    std::vector<std::string> levels;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  HWND scan = FindControl(dialog, "edtAVPScanParam");
                  HWND cure = FindControl(dialog, "edtAVPCureParam");
                  HWND logFile = FindControl(dialog, "edtLogFileName");
                  HWND level = FindControl(dialog, "sedMaxLogLevel");
                  lockedAtStart = !IsWindowEnabled(scan) && !IsWindowEnabled(cure) && !IsWindowEnabled(logFile) &&
                                  !IsWindowEnabled(level);
                  SetText(FindControl(dialog, "edtAVPExeName"), "C:\\Scanner\\Avnt.exe");
                  Click(FindControl(dialog, "cbxEditParams"));
                  Click(FindControl(dialog, "cbxLogEnabled"));
                  unlocked = IsWindowEnabled(scan) && IsWindowEnabled(cure) && IsWindowEnabled(logFile) &&
                             IsWindowEnabled(level);
                  SetText(scan, "-s");
                  SetText(cure, "-c");
                  SetText(logFile, log);
                  Click(FindControl(dialog, "cbxDisabled"));
                  Click(FindControl(dialog, "cbxLogAVPOutput"));
                  std::vector<HWND> spin = ChildrenTopDown(level);
                  ASSERT_EQ(spin.size(), 2u);
                  for (HWND button : {spin[0], spin[0], spin[0], spin[1]}) {
                      Click(button);
                      levels.push_back(TextOf(level));
                  }
                  PostClick(FindControl(dialog, "btnOk"));
              }),
              0);
    EXPECT_TRUE(lockedAtStart);
    EXPECT_TRUE(unlocked);
    EXPECT_EQ(levels, (std::vector<std::string>{"2", "3", "3", "2"}));
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Information");
    EXPECT_EQ(boxes[0].text, "The parameters normally don't need to changed.");

    ini.exe = "C:\\Scanner\\Avnt.exe";
    ini.scan = "-s";
    ini.cure = "-c";
    ini.logging = "1";
    ini.logFile = log;
    ini.disabled = "1";
    ini.level = "2";
    ini.output = "1";
    EXPECT_EQ(StoredIni(), ini.Text());
    // The entry line was not logged: the plug-in was not configured then.
    EXPECT_EQ(LogMessages(log), std::vector<std::string>{"BAV_Setup: After Setup"});
    EXPECT_EQ(Status(), 0);
    EXPECT_EQ(plugin.Name(), "Ostrel [Disabled]");
}

TEST_F(ConfigDialog, CancelButtonEscapeAndCloseBoxWriteNothing)
{
    Ini ini;
    ini.logging = "1";
    ini.logFile = plugin.File("ostrel.log");
    ini.level = "3";
    Start(ini);
    const std::string stored = StoredIni();
    std::vector<std::string> shownExe;

    EXPECT_EQ(Setup([&](HWND dialog) {
                  shownExe.push_back(TextOf(FindControl(dialog, "edtAVPExeName")));
                  SetText(FindControl(dialog, "edtAVPExeName"), "C:\\Other\\Avnt.exe");
                  Click(FindControl(dialog, "cbxDisabled"));
                  PostClick(FindControl(dialog, "btnCancel"));
              }),
              0);
    EXPECT_EQ(StoredIni(), stored);

    EXPECT_EQ(Setup([&](HWND dialog) {
                  HWND exe = FindControl(dialog, "edtAVPExeName");
                  shownExe.push_back(TextOf(exe));
                  SetText(FindControl(dialog, "edtLogFileName"), "C:\\Other.log");
                  SetText(exe, "C:\\Other\\Avnt.exe");
                  FocusControl(dialog, exe);
                  WaitUntil([&] { return FocusedWindow(dialog) == exe; });
                  PressKey(exe, VK_ESCAPE);
              }),
              0);
    EXPECT_EQ(StoredIni(), stored);

    EXPECT_EQ(Setup([&](HWND dialog) {
                  shownExe.push_back(TextOf(FindControl(dialog, "edtAVPExeName")));
                  Click(FindControl(dialog, "cbxLogEnabled"));
                  Click(ChildrenTopDown(FindControl(dialog, "sedMaxLogLevel")).back());
                  PostMessageA(dialog, WM_CLOSE, 0, 0);
              }),
              0);
    EXPECT_EQ(StoredIni(), stored);
    // Nor did the settings in memory change: each opening shows the old path.
    EXPECT_EQ(shownExe, std::vector<std::string>(3, "C:\\AntiVir\\Avnt.exe"));
    EXPECT_EQ(plugin.Name(), "Ostrel");
}

TEST_F(ConfigDialog, ForbiddenParameterIsRemovedAndReportedOnEnter)
{
    Ini ini;
    ini.level = "3";
    Start(ini);
    MessageBoxWatcher watcher;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  HWND scan = FindControl(dialog, "edtAVPScanParam");
                  Click(FindControl(dialog, "cbxEditParams"));
                  SetText(scan, "-nomem /freeze -z");
                  SetText(FindControl(dialog, "edtAVPCureParam"), "-e /FREEZE /FREEZE");
                  // Only pasting puts such text into the spin edit.
                  SetText(FindControl(dialog, "sedMaxLogLevel"), "x");
                  FocusControl(dialog, scan);
                  WaitUntil([&] { return FocusedWindow(dialog) == scan; });
                  PressKey(scan, VK_RETURN);
              }),
              0);
    std::vector<SeenBox> boxes = watcher.Boxes();
    // Every occurrence goes, each reported.
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[1].text, "The parameter \"/FREEZE\" is not allowed for scanning");
    EXPECT_EQ(boxes[2].text, "The parameter \"/FREEZE\" is not allowed for desinfection");
    EXPECT_EQ(boxes[3].text, boxes[2].text);
    ini.scan = "-nomem  -z";
    // The profile API drops the blanks at the end.
    ini.cure = "-e";
    ini.level = "0";
    EXPECT_EQ(StoredIni(), ini.Text());
}

TEST_F(ConfigDialog, DefaultsReachTheSettingsOnlyWithOk)
{
    Ini ini;
    ini.scan = "-a";
    ini.cure = "-b";
    Start(ini);
    const std::string stored = StoredIni();
    auto pressDefaults = [&](int answer, const char* closeWith) {
        MessageBoxWatcher watcher(answer);
        std::vector<std::string> shown;
        EXPECT_EQ(Setup([&](HWND dialog) {
                      Click(FindControl(dialog, "btnDefaultsAllg"));
                      shown = {TextOf(FindControl(dialog, "edtAVPScanParam")), TextOf(FindControl(dialog, "edtAVPCureParam"))};
                      PostClick(FindControl(dialog, closeWith));
                  }),
                  0);
        std::vector<SeenBox> boxes = watcher.Boxes();
        EXPECT_EQ(boxes.size(), 1u);
        for (const SeenBox& box : boxes) {
            EXPECT_EQ(box.caption, "Confirmation");
            EXPECT_EQ(box.text, "Do you want to set the values for \"Parameters for scanning\" and "
                                "\"Parameters for desinfection\" to the default?");
        }
        return shown;
    };

    EXPECT_EQ(pressDefaults(IDNO, "btnOk"), (std::vector<std::string>{"-a", "-b"}));
    EXPECT_EQ(StoredIni(), stored);
    EXPECT_EQ(pressDefaults(IDYES, "btnCancel"), (std::vector<std::string>{DefaultScan, DefaultCure}));
    EXPECT_EQ(StoredIni(), stored);
    EXPECT_EQ(pressDefaults(IDYES, "btnOk"), (std::vector<std::string>{DefaultScan, DefaultCure}));
    ini.scan = DefaultScan;
    ini.cure = DefaultCure;
    EXPECT_EQ(StoredIni(), ini.Text());
}

TEST_F(ConfigDialog, PickedHelpFileIsSavedAtOnceAndSurvivesCancel)
{
    const std::string help = plugin.File("Ostrel.hlp");
    WriteFileBytes(help, "help");
    Ini ini;
    ini.help = "";
    Start(ini);
    std::string filter;
    bool chosen = false;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  SetText(FindControl(dialog, "edtAVPExeName"), "C:\\Other\\Avnt.exe");
                  PostClick(FindControl(dialog, "btnSelectHelpFile"));
                  HWND files = WaitForSystemDialog("Please select a help file");
                  filter = TextOf(GetDlgItem(files, 0x470));
                  chosen = ChooseFile("Please select a help file", help);
                  PostClick(FindControl(dialog, "btnCancel"));
              }),
              0);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(filter, "Ostrel*.hlp");
    ini.help = help;
    EXPECT_EQ(StoredIni(), ini.Text());
}

TEST_F(ConfigDialog, ScannerIsLocatedThroughTheFirstRegistryKeyThatOpens)
{
    const std::string folder = plugin.File("AntiVir");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Avnt.exe", "");

    SetScannerKey(NtKey, folder);
    SetScannerKey(Win95Key, "C:\\None");
    EXPECT_EQ(ProposedScanner("btnCancel"), folder + "\\Avnt.exe");
    // Found, but not stored without OK.
    Ini stored;
    stored.exe = "";
    EXPECT_EQ(StoredIni(), stored.Text());

    RegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, NtKey);
    SetScannerKey(NtKey, std::nullopt);
    SetScannerKey(Win95Key, folder);
    EXPECT_EQ(ProposedScanner("btnCancel"), "");

    RegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, NtKey);
    SetScannerKey(Win95Key, folder + "\\");
    EXPECT_EQ(ProposedScanner("btnOk"), folder + "\\Avnt.exe");
    stored.exe = folder + "\\Avnt.exe";
    EXPECT_EQ(StoredIni(), stored.Text());
}

// Without an installed AntiVir the scanner shipped beside the plug-in is
// proposed; an installed AntiVir still comes first.
TEST_F(ConfigDialog, BundledScannerBesideThePluginIsProposedAfterAntiVir)
{
    const std::string bundled = plugin.File("ostrelscan.exe");
    WriteFileBytes(bundled, "");
    EXPECT_EQ(ProposedScanner("btnOk"), bundled);
    Ini stored;
    stored.exe = bundled;
    EXPECT_EQ(StoredIni(), stored.Text());

    const std::string folder = plugin.File("AntiVir");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Avnt.exe", "");
    SetScannerKey(NtKey, folder);
    EXPECT_EQ(ProposedScanner("btnCancel"), folder + "\\Avnt.exe");
}

// A 32-bit scanner on 64-bit Windows keeps its key in the 32-bit view, and a
// 64-bit one in the 64-bit view; either plug-in finds both.
TEST_F(ConfigDialog, ScannerKeyIsFoundInEitherRegistryView)
{
    const std::string folder = plugin.File("AntiVir");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Avnt.exe", "");

    SetScannerKey(Win95Key, folder, OtherRegistryView());
    if (sizeof(void*) == 8) {
        EXPECT_FALSE(RegistryKey::Exists(HKEY_LOCAL_MACHINE, Win95Key)) << "the views are not apart";
    }
    EXPECT_EQ(ProposedScanner("btnCancel"), folder + "\\Avnt.exe");

    DeleteScannerKeys();
    SetScannerKey(Win95Key, folder);
    EXPECT_EQ(ProposedScanner("btnCancel"), folder + "\\Avnt.exe");

    // The own view comes first, even over the key that is looked for first.
    // A 32-bit Windows has one view, so there the first key wins.
    SetScannerKey(NtKey, "C:\\Other", OtherRegistryView());
    EXPECT_EQ(ProposedScanner("btnCancel"), sizeof(void*) == 8 ? folder + "\\Avnt.exe" : "");
}

TEST_F(ConfigDialog, VirusDefinitionLineShowsVersionAndDates)
{
    GermanShortDate german;
    const std::string folder = plugin.File("AntiVir");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string definitions = folder + "\\Antivir.vdf";
    Ini ini;
    ini.exe = folder + "\\Avnt.exe";
    Start(ini);
    auto shownLine = [&] {
        std::string shown;
        EXPECT_EQ(Setup([&](HWND dialog) {
                      shown = TextOf(FindControl(dialog, "lblVirDefDate"));
                      PostClick(FindControl(dialog, "btnCancel"));
                  }),
                  0);
        return shown;
    };
    auto writeDefinitions = [&](const std::string& content) {
        WriteFileBytes(definitions, content);
        SetLastWriteDate(definitions, 2004, 4, 20);
    };

    writeDefinitions("X\r\n6.25.0.3\r\n20.04.2004\r\nmore\r\n");
    EXPECT_EQ(shownLine(), "    VDF 6.25.0.3 - 20.04.2004, 20.04.2004");
    writeDefinitions("X");
    EXPECT_EQ(shownLine(), "    VDF  - , 20.04.2004");
    // Only the first 150 bytes are read: the version line ends at the limit.
    writeDefinitions(std::string(140, 'X') + "\r\n6.25.0.3\r\n20.04.2004\r\n");
    EXPECT_EQ(shownLine(), "    VDF 6.25.0.3 - , 20.04.2004");
    DeleteFileA(definitions.c_str());
    EXPECT_EQ(shownLine(), "    ");
}

TEST_F(ConfigDialog, GermanLanguageFileTranslatesTheDialog)
{
    Ini ini;
    ini.language = ProgramFolder() + "\\Deutsch.lng";
    Start(ini);
    MessageBoxWatcher watcher;
    std::vector<std::string> shown;
    EXPECT_EQ(Setup(
                  [&](HWND dialog) {
                      shown = {TextOf(FindControl(dialog, "btnHelp")), TextOf(FindControl(dialog, "lblLanguageName"))};
                      PostClick(FindControl(dialog, "btnCancel"));
                  },
                  "Konfiguration von Ostrel"),
              0);
    EXPECT_EQ(shown, (std::vector<std::string>{"Hilfe", "Deutsch"}));
    EXPECT_TRUE(watcher.Boxes().empty());
}

// Opens the dialog with a language file whose [TfrmCfg] section holds
// `entry` between two good ones; checks the error box and what was applied.
void ConfigDialog::ExpectFaultyEntryReported(const std::string& entry)
{
    const std::string language = plugin.File("Faulty.lng");
    // A file without message texts would empty them, the box's too.
    WriteFileBytes(language, "[Main]\r\nEnglishLanguageName=Faulty\r\n[MsgStrings]\r\nSError=Error\r\n"
                             "SErrorLanguageFile=Bad file\\nClass: %s\\nMessage: %s\r\n"
                             "[TfrmCfg]\r\nCaption=Faulty\r\n" +
                                 entry + "\r\nbtnHelp.Caption=Never\r\n");
    Ini ini;
    ini.language = language;
    Start(ini);
    MessageBoxWatcher watcher;
    std::string help;
    // The entries before the faulty one stay applied, those after it are not.
    EXPECT_EQ(Setup(
                  [&](HWND dialog) {
                      help = TextOf(FindControl(dialog, "btnHelp"));
                      PostClick(FindControl(dialog, "btnCancel"));
                  },
                  "Faulty"),
              0);
    EXPECT_EQ(help, "Help");
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text.rfind("Bad file\r\nClass: ", 0), 0u) << boxes[0].text;
}

TEST_F(ConfigDialog, UnknownEnumerationValueInLanguageFileIsReported)
{
    ExpectFaultyEntryReported("BorderStyle=bsNothing");
}

TEST_F(ConfigDialog, OutOfRangeNumberInLanguageFileIsReported)
{
    ExpectFaultyEntryReported("BorderWidth=-1");
}

TEST_F(ConfigDialog, UpAndDownMoveTheFocusInTabOrder)
{
    Ini ini;
    ini.logging = "1";
    ini.logFile = plugin.File("ostrel.log");
    Start(ini);
    std::vector<std::string> reached;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  HWND exe = FindControl(dialog, "edtAVPExeName");
                  HWND logFile = FindControl(dialog, "edtLogFileName");
                  const std::pair<HWND, WORD> moves[] = {{exe, VK_DOWN}, {exe, VK_UP}, {logFile, VK_UP},
                                                         {logFile, VK_DOWN}};
                  for (const auto& [from, key] : moves) {
                      HWND focus = nullptr;
                      // Another program taking the activation leaves the focus on the form
                      // itself; the move is then tried again.
                      for (int attempt = 0; attempt < 3 && (focus == nullptr || focus == dialog); ++attempt) {
                          FocusControl(dialog, from);
                          if (WaitUntil([&] { return FocusedWindow(dialog) == from; })) {
                              PressKey(from, key);
                              WaitUntil([&] { return FocusedWindow(dialog) != from; });
                          }
                          focus = FocusedWindow(dialog);
                      }
                      reached.push_back(focus == FindControl(dialog, "sedMaxLogLevel") ? "level" : TextOf(focus));
                  }
                  PressKey(exe, VK_ESCAPE);
              }),
              0);
    EXPECT_EQ(reached, (std::vector<std::string>{"Log output (in case of problems)", "Edit parameters", "level",
                                                 "Log enabled"}));
}

TEST_F(ConfigDialog, HostWindowIsDisabledWhileTheDialogIsUp)
{
    Start(Ini());
    UniqueWindow hostWindow(CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(hostWindow);
    HWND host = hostWindow.get();
    bool disabled = false;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  disabled = !IsWindowEnabled(host);
                  PostClick(FindControl(dialog, "btnCancel"));
              }),
              0);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(IsWindowEnabled(host));
}

TEST_F(ConfigDialog, SaveErrorOnOkFailsSetup)
{
    Start(Ini());
    MessageBoxWatcher watcher;
    // Held open without sharing, as an editor might hold it.
    UniqueFile holder(CreateFileA(plugin.IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(Setup([&](HWND dialog) { PostClick(FindControl(dialog, "btnOk")); }), -3);
    holder.reset();
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Fehler in BAV_Setup:\r\nERegConfigError\r\nIn " + plugin.IniPath() +
                                 " kann nicht geschrieben werden");
    EXPECT_EQ(Status(), 1);
}

// The registry's save error is shown as the ini file's is.
TEST_F(ConfigDialog, RegistrySaveErrorOnOkFailsSetup)
{
    ASSERT_TRUE(MakeVolatileMakerKey());
    plugin.Load();
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    MessageBoxWatcher watcher;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  SetText(FindControl(dialog, "edtAVPExeName"), "C:\\Scanner\\Avnt.exe");
                  PostClick(FindControl(dialog, "btnOk"));
              }),
              -3);
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Fehler in BAV_Setup:\r\nERegConfigError\r\nIn HKEY_CURRENT_USER\\Software\\Dunmere\\Ostrel"
                             " kann nicht geschrieben werden");
    EXPECT_EQ(Status(), 1);
}

TEST_F(ConfigDialog, SupportFileIsWrittenAfterTheQuestion)
{
    const std::string target = plugin.File("support.txt");
    Start(Ini());
    bool chosen = false;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  PostClick(FindControl(dialog, "btnSupport"));
                  HWND question = WaitForSystemDialog("Confirmation");
                  PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
                  chosen = ChooseFile("Save As", target);
                  PostClick(FindControl(dialog, "btnCancel"));
              }),
              0);
    ASSERT_TRUE(chosen);
    const std::string report = ReadFileBytes(target);
    EXPECT_EQ(report.rfind("Supportinfo zu: " + plugin.ModulePath() + "\r\nVersion: 1.0.0.0\r\n", 0), 0u)
        << report.substr(0, 200);
    EXPECT_NE(report.find("\r\nTemp-Dir: "), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
}

// The Test button checks with the scanner the dialog shows, before OK, and
// saves nothing; its box names the scanner, the engine and both answers.
TEST_F(ConfigDialog, TestButtonChecksWithTheShownScannerAndSavesNothing)
{
    Ini ini;
    ini.logging = "1";
    ini.logFile = plugin.File("ostrel.log");
    Start(ini);
    const std::string stored = StoredIni();
    const std::string missing = plugin.File("nothere.exe");
    const std::string eicarscan = ProgramFolder() + "\\eicarscan.exe";
    MessageBoxWatcher watcher;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  HWND exe = FindControl(dialog, "edtAVPExeName");
                  HWND test = FindControl(dialog, "btnTest");
                  for (const std::string& scanner : {missing, eicarscan}) {
                      const std::size_t seen = watcher.Boxes().size();
                      SetText(exe, scanner);
                      PostClick(test);
                      EXPECT_TRUE(WaitUntil([&] { return watcher.Boxes().size() > seen && IsWindowEnabled(test); }));
                  }
                  PostClick(FindControl(dialog, "btnCancel"));
              }),
              0);
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Test of the scanner");
    EXPECT_EQ(boxes[0].text.rfind("Scanner: " + missing + "\r\n\r\nThe scanner is missing: ", 0), 0u)
        << boxes[0].text;
    EXPECT_EQ(boxes[1].text, "Scanner: " + eicarscan +
                                 "\r\nEngine: EICAR test scanner (not an antivirus; it finds only the EICAR test "
                                 "string)\r\nClean test file: OK: nothing found\r\nEICAR test file: virus found: "
                                 "Eicar-Test-Signature\r\n\r\nThe chain works: the clean file passed and the EICAR "
                                 "test file was found.");
    EXPECT_EQ(StoredIni(), stored);
    // Nor in memory: the dialog opens with the scanner of before.
    std::string shownAfter;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  shownAfter = TextOf(FindControl(dialog, "edtAVPExeName"));
                  PostClick(FindControl(dialog, "btnCancel"));
              }),
              0);
    EXPECT_EQ(shownAfter, ini.exe);
    EXPECT_FALSE(ChainTestFolderLeft());
    // Logged as any check is.
    const std::vector<std::string> logged = LogMessages(ini.logFile);
    EXPECT_NE(std::find(logged.begin(), logged.end(), "Test: Result=1 (Virus found), AVPMsg=Eicar-Test-Signature"),
              logged.end());
}

// The dialog stays responsive while the scanner runs; closing it ends the
// scanner with what it started before the dialog has gone.
TEST_F(ConfigDialog, ClosingTheDialogDuringATestEndsTheScannersTree)
{
    ScannerScript scanner(plugin.Folder());
    ScannerScript child(plugin.Folder(), "child");
    child.Write("hang\n");
    scanner.Write("spawn " + child.Parameters() + "\nhang\n");
    Start(Ini());
    const std::string stored = StoredIni();
    MessageBoxWatcher watcher;
    std::vector<UniqueHandle> tree;
    bool disabledWhileRunning = false;
    std::chrono::steady_clock::time_point cancelled;
    EXPECT_EQ(Setup([&](HWND dialog) {
                  SetText(FindControl(dialog, "edtAVPExeName"), FakeScannerPath());
                  Click(FindControl(dialog, "cbxEditParams"));
                  SetText(FindControl(dialog, "edtAVPScanParam"), scanner.Parameters());
                  HWND test = FindControl(dialog, "btnTest");
                  PostClick(test);
                  tree = OpenChildAndGrandchild(GetCurrentProcessId(), "fake_scanner.exe", 20000);
                  disabledWhileRunning = !IsWindowEnabled(test);
                  cancelled = std::chrono::steady_clock::now();
                  PostClick(FindControl(dialog, "btnCancel"));
              }),
              0);
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::seconds(1));
    EXPECT_TRUE(disabledWhileRunning);
    ASSERT_EQ(tree.size(), 2u);
    for (const UniqueHandle& process : tree) {
        EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
    }
    // Only the box of the parameters' check box: the test has no answer.
    EXPECT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(StoredIni(), stored);
    EXPECT_FALSE(ChainTestFolderLeft());
}

}  // namespace
}  // namespace ostrel::test
