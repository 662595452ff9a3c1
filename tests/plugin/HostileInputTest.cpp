#include "base/MessageBox.h"
#include "settings/RegistryKey.h"
#include "support/LogFileLines.h"
#include "support/MessageBoxWatcher.h"
#include "support/PluginLibrary.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace ostrel::test {
namespace {

const std::string CleanReport = "out SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n";
const std::string VirusReport =
    "out   VIRUS: Eicar-Test-Signature\\r\\nSCAN RESULTS\\r\\nALERTS: 1\\r\\nSUSPICIOUS: 0\\r\\n\n";
const char* const MessageKeys[] = {
    "SError",         "SInfo",           "SConfirmation",    "SScanParameterNotAllowed", "SCureParameterNotAllowed",
    "SLogError",      "SDirNotExists",   "SExecTimeOut",     "SNotFound",                "SHelpNotFound",
    "SDontEditAVPParam", "SSupportInfoError", "SSupportQuestion", "SAskDefaultAllg",     "SAskForFile",
    "SSelectAVPExe",  "SErrorLanguageFile", "SSelectLanguageFile", "SLanguageFile",     "SSelectHelpfile",
};

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override { DeleteMakerKey(); }
    void TearDown() override
    {
        plugin.Unload();
        DeleteMakerKey();
    }

    std::string Settings(const std::string& more = "") const
    {
        return "[Data]\r\nAVPExeName=" + FakeScannerPath() + "\r\nAVPScanParam=" + scanner.Parameters() +
               "\r\nLogging=1\r\nMaxLogLevel=3\r\n" + more;
    }
    // Checks a clean and an infected file, as the plug-in must still do.
    void ExpectChecksWork()
    {
        scanner.Write(CleanReport);
        EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), 0);
        scanner.Write(VirusReport);
        char message[1024] = {};
        EXPECT_EQ(plugin.Check("C:\\a.tmp", message), 1);
        EXPECT_STREQ(message, "Eicar-Test-Signature");
    }

    PluginLibrary plugin;
    ScannerScript scanner{plugin.Folder()};
};

// A language file can make every message template unusable; the plug-in
// then uses its own texts and keeps checking.
TEST_F(HostileInput, MessageTemplatesThatDoNotFitNeverDisableThePlugin)
{
    std::string wide;
    for (int i = 0; i < 255; ++i) {
        wide += "%0:4096s";
    }
    for (const std::string& hostile : {std::string("%"), std::string("%d%d%d"), std::string("%s%s%s%s%n"),
                                       std::string("%999999999d"), wide}) {
        SCOPED_TRACE(hostile.substr(0, 16));
        std::string language = "[Main]\r\nEnglishLanguageName=German\r\n[MsgStrings]\r\n";
        for (const char* key : MessageKeys) {
            language += std::string(key) + "=" + hostile + "\r\n";
        }
        WriteFileBytes(plugin.File("hostile.lng"), language);
        // The log's folder is missing: every log line fails and shows its box.
        WriteFileBytes(plugin.IniPath(), Settings("LogFileName=" + plugin.File("missing\\ostrel.log") +
                                                  "\r\nLanguageFileName=" + plugin.File("hostile.lng") + "\r\n"));
        plugin.Unload();
        plugin.Load();
        MessageBoxWatcher watcher;
        EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
        EXPECT_EQ(plugin.Call("BAV_GetStatus"), 0);
        ExpectChecksWork();
        std::vector<SeenBox> boxes = watcher.Boxes();
        ASSERT_FALSE(boxes.empty());
        for (const SeenBox& box : boxes) {
            EXPECT_LE(box.text.size(), MaxBoxText);
        }
    }
}

TEST_F(HostileInput, EveryForbiddenParameterIsRemoved)
{
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + FakeScannerPath() + "\r\nAVPScanParam=-z /FREEZE " +
                                         scanner.Parameters() + " /freeze /FrEeZe\r\n");
    plugin.Load();
    ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);
    scanner.Write(CleanReport);
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), 0);
    const std::string recorded = scanner.RecordedCommandLine();
    EXPECT_EQ(recorded.find("/F"), std::string::npos) << recorded;
    EXPECT_EQ(recorded.find("/f"), std::string::npos) << recorded;
}

// Values far beyond what the system takes: a clear error, no crash.
TEST_F(HostileInput, OversizedProgramPathIsAnErrorInIniAndRegistry)
{
    for (std::size_t size : {2048u, 32768u, 102400u}) {
        SCOPED_TRACE(size);
        const std::string program = "C:\\" + std::string(size, 'p') + ".exe";
        const std::string log = plugin.File("ostrel.log");
        plugin.Unload();
        WriteFileBytes(plugin.IniPath(), Settings("LogFileName=" + log + "\r\n"));
        plugin.Load();
        ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);
        std::string ini = Settings("LogFileName=" + log + "\r\n");
        ini.replace(ini.find(FakeScannerPath()), FakeScannerPath().size(), program);
        WriteFileBytes(plugin.IniPath(), ini);
        ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);
        EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), -3);
        std::vector<std::string> lines = LogMessages(log);
        EXPECT_NE(std::find(lines.begin(), lines.end(), "The program path is longer than 259 characters"),
                  lines.end());
        for (const std::string& line : lines) {
            EXPECT_LE(line.size(), 4096u);
        }
        DeleteFileA(log.c_str());

        // The same value in the registry, where the profile API does not cut it.
        plugin.Unload();
        DeleteFileA(plugin.IniPath().c_str());
        {
            std::optional<RegistryKey> key =
                RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Dunmere\\Ostrel", KEY_ALL_ACCESS, true);
            ASSERT_TRUE(key.has_value());
            key->WriteString("AVPExeName", program);
            key->WriteString("AVPScanParam", scanner.Parameters());
        }
        plugin.Load();
        ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);
        EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), -3);
        DeleteMakerKey();
    }
}

TEST_F(HostileInput, OversizedLogFileNameShowsABoxOfBoundedSize)
{
    {
        std::optional<RegistryKey> key =
            RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Dunmere\\Ostrel", KEY_ALL_ACCESS, true);
        ASSERT_TRUE(key.has_value());
        key->WriteString("AVPExeName", FakeScannerPath());
        key->WriteString("AVPScanParam", scanner.Parameters());
        key->WriteInteger("Logging", 1);
        key->WriteString("LogFileName", "C:\\" + std::string(102400, 'l') + "\\ostrel.log");
    }
    plugin.Load();
    MessageBoxWatcher watcher;
    plugin.Call("BAV_Initialize");
    ExpectChecksWork();
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_FALSE(boxes.empty());
    for (const SeenBox& box : boxes) {
        EXPECT_LE(box.text.size(), MaxBoxText);
    }
}

// Eight host threads check at once while others ask for name and status:
// every answer is right, no log line is torn, and waiting requests are
// served in order, so none waits much longer than the others ahead of it.
TEST_F(HostileInput, ConcurrentChecksAreServedInOrder)
{
    constexpr int Threads = 8;
    constexpr int Checks = 6;
    const std::string log = plugin.File("ostrel.log");
    WriteFileBytes(plugin.IniPath(), Settings("LogFileName=" + log + "\r\n"));
    scanner.Write("sleep 30\n" + VirusReport);
    plugin.Load();
    ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);

    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> askers;
    for (int i = 0; i < 2; ++i) {
        askers.emplace_back([&] {
            while (!done) {
                wrong += plugin.Name() != "Ostrel" || plugin.Call("BAV_GetStatus") != 0;
            }
        });
    }
    std::vector<double> seconds(Threads * Checks);
    std::vector<std::thread> checkers;
    for (int t = 0; t < Threads; ++t) {
        checkers.emplace_back([&, t] {
            for (int i = 0; i < Checks; ++i) {
                char message[1024] = {};
                auto start = std::chrono::steady_clock::now();
                wrong += plugin.Check("C:\\a.tmp", message) != 1 || std::strcmp(message, "Eicar-Test-Signature") != 0;
                seconds[t * Checks + i] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            }
        });
    }
    for (std::thread& thread : checkers) {
        thread.join();
    }
    done = true;
    for (std::thread& thread : askers) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
    std::vector<std::string> lines = LogMessages(log);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("MALFORMED", 0) == 0; }),
              0);
    // A request waits for at most the others that came before it.
    std::sort(seconds.begin(), seconds.end());
    const double fastest = seconds.front();
    EXPECT_LT(seconds.back(), 3.0 * Threads * fastest) << "fastest " << fastest << " s";
}

}  // namespace
}  // namespace ostrel::test
