#include "base/UniqueResource.h"
#include "support/LogFileLines.h"
#include "support/MessageBoxWatcher.h"
#include "support/PluginLibrary.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace ostrel::test {
namespace {

class PluginStatus : public ::testing::Test {
protected:
    void SetUp() override { DeleteMakerKey(); }
    void TearDown() override
    {
        plugin.Unload();
        DeleteMakerKey();
    }

    void WriteIni(const std::string& entries)
    {
        WriteFileBytes(plugin.IniPath(), "[Data]\r\n" + entries);
    }
    std::string LogPath() const { return plugin.File("ostrel.log"); }
    std::string ConfiguredIni(int maxLogLevel) const
    {
        return "AVPExeName=C:\\Scanner\\Avnt.exe\r\nLogging=1\r\nLogFileName=" + LogPath() +
               "\r\nMaxLogLevel=" + std::to_string(maxLogLevel) + "\r\n";
    }
    int32_t Status() const { return plugin.Call("BAV_GetStatus"); }

    PluginLibrary plugin;
};

TEST_F(PluginStatus, HostBufferCopiesWithoutTerminatingZero)
{
    plugin.Load();
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(plugin.TextCall("BAV_GetName", nullptr, 0), 6);
    EXPECT_EQ(plugin.TextCall("BAV_GetName", buffer, -1), 6);
    EXPECT_EQ(plugin.TextCall("BAV_GetName", buffer, 0), 0);
    EXPECT_EQ(plugin.TextCall("BAV_GetName", buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 5), "Ostxx");
    EXPECT_EQ(plugin.TextCall("BAV_GetName", buffer, sizeof buffer), 6);
    EXPECT_EQ(std::string(buffer, 7), "Ostrelx");
    // A host pointer that cannot be written makes the copy fail, not the host.
    EXPECT_EQ(plugin.TextCall("BAV_GetName", reinterpret_cast<char*>(16), 8), 0);
    // The file version of the plug-in's own resource, the project version.
    EXPECT_EQ(plugin.TextCall("BAV_GetVersion", buffer, sizeof buffer), 7);
    EXPECT_EQ(std::string(buffer, 8), "1.0.0.0x");
}

TEST_F(PluginStatus, NamesShowNoConfigAndDisabled)
{
    WriteIni("AVPExeName=\r\nDisabled=1\r\n");
    plugin.Load();
    // Nothing is read before the host initialises the plug-in.
    EXPECT_EQ(plugin.Name(), "Ostrel");
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    EXPECT_EQ(plugin.Name(), "Ostrel [NoConfig;Disabled]");
    EXPECT_EQ(plugin.TextCall("BAV_GetName", nullptr, 0), 26);
    plugin.Unload();

    WriteIni("AVPExeName=\r\n");
    plugin.Load();
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    EXPECT_EQ(plugin.Name(), "Ostrel [NoConfig]");
    plugin.Unload();

    WriteIni(ConfiguredIni(0) + "Disabled=1\r\n");
    plugin.Load();
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    EXPECT_EQ(plugin.Name(), "Ostrel [Disabled]");
    EXPECT_EQ(plugin.TextCall("BAV_GetName", nullptr, 0), 17);
}

TEST_F(PluginStatus, NotConfiguredLogsNothingAndRefusesRequests)
{
    WriteIni(ConfiguredIni(3) + "AVPScanParam=\r\n");
    plugin.Load();
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    EXPECT_EQ(Status(), -1);
    EXPECT_EQ(plugin.Check("C:\\file.txt", nullptr), -3);
    EXPECT_EQ(plugin.Setup(), 0);
    EXPECT_EQ(Status(), -1);
    EXPECT_EQ(plugin.Call("BAV_Uninitialize"), 0);
    EXPECT_FALSE(PathExists(LogPath()));
}

TEST_F(PluginStatus, InitializeStartsTheLogAndUninitializeEndsIt)
{
    WriteIni(ConfiguredIni(0));
    plugin.Load();
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    EXPECT_EQ(Status(), 0);
    EXPECT_EQ(plugin.Call("BAV_Uninitialize"), 0);
    std::vector<std::string> expected = {std::string(80, '-'), "BAV_Initialize: Log.FileName",
                                         "BAV_Uninitialize", "OstrelStatus=0"};
    EXPECT_EQ(LogMessages(LogPath()), expected);
}

TEST_F(PluginStatus, LevelFilterFollowsMaxLogLevel)
{
    WriteIni(ConfiguredIni(2));
    plugin.Load();
    plugin.Call("BAV_Initialize");
    plugin.Call("BAV_GetStatus");
    plugin.Setup();
    std::vector<std::string> expected = {std::string(80, '-'), "BAV_Initialize: Log.FileName",
                                         "BAV_GetStatus", "BAV_Setup", "BAV_Setup: After Setup"};
    EXPECT_EQ(LogMessages(LogPath()), expected);
    plugin.Unload();

    DeleteFileA(LogPath().c_str());
    WriteIni(ConfiguredIni(-1));
    plugin.Load();
    plugin.Call("BAV_Initialize");
    plugin.Call("BAV_Uninitialize");
    EXPECT_FALSE(PathExists(LogPath()));
}

TEST_F(PluginStatus, FailedInitializeShowsBoxAndStaysFailed)
{
    HKEY created = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Dunmere\\Ostrel", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &created, nullptr);
    UniqueRegKey key(created);
    RegSetValueExA(key.get(), "AVPExeName", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\a.exe"), 9);
    RegSetValueExA(key.get(), "Logging", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    plugin.Load();
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(plugin.Call("BAV_Initialize"), -3);
        ASSERT_EQ(watcher.Boxes().size(), 1u);
        EXPECT_EQ(watcher.Boxes()[0].text,
                  "Fehler in BAV_Initialize:\r\nERegConfigError\r\nUngültiger Datentyp für 'Logging'");
    }
    EXPECT_EQ(Status(), 1);
    EXPECT_EQ(plugin.Name(), "Ostrel");

    DWORD one = 1;
    RegSetValueExA(key.get(), "Logging", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    key.reset();
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    EXPECT_EQ(plugin.Setup(), 0);
    EXPECT_EQ(Status(), 1);
    EXPECT_EQ(plugin.Check("C:\\file.txt", nullptr), -3);
}

TEST_F(PluginStatus, DisabledCheckAnswersOkWithoutTouchingTheBuffer)
{
    WriteIni(ConfiguredIni(3) + "Disabled=1\r\n");
    plugin.Load();
    plugin.Call("BAV_Initialize");
    char message[1024];
    std::memset(message, 'x', sizeof message);
    EXPECT_EQ(plugin.Check("C:\\file.txt", message), 0);
    EXPECT_EQ(message[0], 'x');
    EXPECT_EQ(LogMessages(LogPath()).size(), 2u);
}

TEST_F(PluginStatus, MissingLogFolderShowsOneBoxPerMessage)
{
    std::string folder = plugin.File("missing");
    WriteIni("AVPExeName=C:\\a.exe\r\nLogging=1\r\nLogFileName=" + folder + "\\ostrel.log\r\n");
    plugin.Load();
    MessageBoxWatcher watcher;
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const SeenBox& box : boxes) {
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.text.rfind("Error writing logfile:\r\nFile: " + folder +
                                     "\\ostrel.log\r\nClass: ELogError\r\nMessage: Fehler in DoLog "
                                     "der Klasse TOstrelLog\r\nEOSError\r\n",
                                 0),
                  0u)
            << box.text;
        EXPECT_NE(box.text.find("\r\nThe directory " + folder + " does not exist"), std::string::npos)
            << box.text;
    }
    EXPECT_EQ(Status(), 0);
}

TEST_F(PluginStatus, InitializeTrimsTheLogToItsNewest1200Lines)
{
    std::string old;
    for (int line = 1; line <= 1500; ++line) {
        old += "line " + std::to_string(line) + "\r\n";
    }
    WriteFileBytes(LogPath(), old);
    WriteIni(ConfiguredIni(0));
    plugin.Load();
    plugin.Call("BAV_Initialize");
    std::string content = ReadFileBytes(LogPath());
    EXPECT_EQ(content.rfind("line 301\r\nline 302\r\n", 0), 0u);
    EXPECT_NE(content.find("line 1500\r\n"), std::string::npos);
    EXPECT_EQ(LogMessages(LogPath()).size(), 1202u);
}

TEST_F(PluginStatus, ConcurrentCallsWriteWholeLines)
{
    WriteIni(ConfiguredIni(3));
    plugin.Load();
    plugin.Call("BAV_Initialize");
    constexpr int Threads = 6;
    constexpr int Calls = 100;
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < Calls; ++i) {
                plugin.Name();
                plugin.Call("BAV_GetStatus");
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::vector<std::string> messages = LogMessages(LogPath());
    // Name() asks twice: for the size, then for the text.
    ASSERT_EQ(messages.size(), 2u + Threads * Calls * 3);
    for (std::size_t i = 2; i < messages.size(); ++i) {
        EXPECT_TRUE(messages[i] == "BAV_GetName" || messages[i] == "BAV_GetStatus") << messages[i];
    }
}

}  // namespace
}  // namespace ostrel::test

namespace ostrel::test {
namespace {

TEST_F(PluginStatus, InitializeAppliesTheLanguageFile)
{
    std::string language = plugin.File("Deutsch.lng");
    WriteFileBytes(language, "[Main]\r\nEnglishLanguageName=German\r\n[MsgStrings]\r\nSError=Fehler\r\n"
                             "SLogError=Logdatei %s: %s, %s\r\nSDirNotExists=Ordner %s fehlt\r\n");
    std::string folder = plugin.File("missing");
    WriteIni("AVPExeName=C:\\a.exe\r\nLogging=1\r\nLogFileName=" + folder +
             "\\o.log\r\nLanguageFileName=" + language + "\r\n");
    plugin.Load();
    MessageBoxWatcher watcher;
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    std::vector<SeenBox> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Fehler");
    EXPECT_EQ(boxes[0].text.rfind("Logdatei " + folder + "\\o.log: ELogError, Fehler in DoLog", 0), 0u)
        << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("\r\nOrdner " + folder + " fehlt"), std::string::npos);
}

TEST_F(PluginStatus, MissingLanguageFileIsReportedButInitializeGoesOn)
{
    WriteIni(ConfiguredIni(0) + "LanguageFileName=" + plugin.File("none.lng") + "\r\n");
    plugin.Load();
    MessageBoxWatcher watcher;
    EXPECT_EQ(plugin.Call("BAV_Initialize"), 0);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, "Not found " + plugin.File("none.lng"));
    EXPECT_EQ(Status(), 0);
}

}  // namespace
}  // namespace ostrel::test
