#include "base/UniqueResource.h"
#include "scanner/ProcessJob.h"
#include "support/DialogWindows.h"
#include "support/LogFileLines.h"
#include "support/PluginLibrary.h"
#include "support/ProcessList.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace ostrel::test {
namespace {

const std::string CleanReport = "out SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n";
const std::string VirusReport =
    "out   VIRUS: Eicar-Test-Signature\\r\\nSCAN RESULTS\\r\\nALERTS: 1\\r\\nSUSPICIOUS: 0\\r\\n\n";

class CheckRequest : public ::testing::Test {
protected:
    void SetUp() override { DeleteMakerKey(); }
    void TearDown() override
    {
        // No scanner may outlive its answer; one that did would hold the test's files.
        EXPECT_TRUE(WaitForChildProcesses("fake_scanner.exe", 15000));
        plugin.Unload();
        DeleteMakerKey();
    }

    void Start(const std::string& script, const std::string& extraSettings = "LogAVPOutput=1\r\n")
    {
        scanner.Write(script);
        WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + FakeScannerPath() +
                                             "\r\nAVPScanParam=" + scanner.Parameters() +
                                             "\r\nAVPCureParam=" + scanner.Parameters() +
                                             " -e\r\nLogging=1\r\nMaxLogLevel=3\r\nLogFileName=" +
                                             LogPath() + "\r\n" + extraSettings);
        plugin.Load();
        ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);
    }
    int32_t Cure(const std::string& fileName) const
    {
        using CureFunction = int32_t(WINAPI*)(const char*, void*);
        auto cure = reinterpret_cast<CureFunction>(
            reinterpret_cast<void (*)()>(plugin.Export("BAV_CureFile")));
        return cure(fileName.c_str(), nullptr);
    }
    std::string LogPath() const { return plugin.File("ostrel.log"); }
    // The log after the two start lines.
    std::vector<std::string> RequestLog() const
    {
        std::vector<std::string> messages = LogMessages(LogPath());
        return std::vector<std::string>(messages.begin() + 2, messages.end());
    }

    PluginLibrary plugin;
    ScannerScript scanner{plugin.Folder()};
};

TEST_F(CheckRequest, CleanFileLogsEveryStep)
{
    Start(CleanReport);
    char message[1024] = "untouched";
    EXPECT_EQ(plugin.Check("C:\\mail\\att1.tmp", message), 0);
    EXPECT_STREQ(message, "untouched");
    const std::string params = scanner.Parameters();
    std::vector<std::string> expected = {
        "In BAV_CheckFile",
        "BAV_CheckFile: FileName=C:\\mail\\att1.tmp",
        "DoExecute Command=" + FakeScannerPath() + " / Params=" + params +
            " C:\\mail\\att1.tmp / CurrentDir=",
        "Output: ",
        "SCAN RESULTS",
        "ALERTS: 0",
        "SUSPICIOUS: 0",
        "After DoExecute",
        "CheckFile: Result=0 (OK)",
        "BAV_CheckFile: Result=0 (OK), AVPMsg=",
    };
    EXPECT_EQ(RequestLog(), expected);
}

TEST_F(CheckRequest, VirusNameReachesTheHostBuffer)
{
    Start(VirusReport);
    char message[1024];
    std::memset(message, 'x', sizeof message);
    EXPECT_EQ(plugin.Check("C:\\a.tmp", message), 1);
    EXPECT_STREQ(message, "Eicar-Test-Signature");
    EXPECT_EQ(RequestLog().back(), "BAV_CheckFile: Result=1 (Virus found), AVPMsg=Eicar-Test-Signature");
    // A null buffer: the check still runs.
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), 1);
}

TEST_F(CheckRequest, GermanReportWithDosUmlauts)
{
    Start("out VIRUS: W\\x81rmchen\\r\\n\nout ALARME: 1\\r\\nVERD\\x8E" "CHTIG: 0\\r\\n\n");
    char message[1024] = {};
    EXPECT_EQ(plugin.Check("C:\\a.tmp", message), 1);
    EXPECT_STREQ(message, "W\xFCrmchen");
}

// A script line that prints `text` in one write.
std::string Out(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        escaped += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\\' ? "\\\\" : std::string(1, c);
    }
    return "out " + escaped + "\n";
}

TEST_F(CheckRequest, ReportCutAcrossWritesReadsAsOneStream)
{
    // The report's last line has no line end: the end of the output ends it.
    Start("out SCAN RESULTS\\r\\nSUSPICIOUS: 0\\r\\nALERTS: 0\n");
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), 0);

    // The pipe may cut the report anywhere, a keyword or a name included.
    const std::string report = "  VIRUS: Eicar-Test-Signature\r\nSCAN RESULTS\r\nALERTS: 1\r\nSUSPICIOUS: 0\r\n";
    for (std::size_t cut = 0; cut <= report.size(); cut += 3) {
        SCOPED_TRACE(cut);
        scanner.Write(Out(report.substr(0, cut)) + "sleep 20\n" + Out(report.substr(cut)));
        char message[1024] = {};
        EXPECT_EQ(plugin.Check("C:\\a.tmp", message), 1);
        EXPECT_STREQ(message, "Eicar-Test-Signature");
    }
    // The log shows the output as printed, with no line break added at a cut.
    std::vector<std::string> log = RequestLog();
    auto output = std::find(log.rbegin(), log.rend(), "Output: ");
    ASSERT_NE(output, log.rend());
    EXPECT_EQ(*(output - 1), "  VIRUS: Eicar-Test-Signature");
    EXPECT_EQ(*(output - 2), "SCAN RESULTS");
}

TEST_F(CheckRequest, MissingScannerIsAnError)
{
    Start(CleanReport);
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + plugin.File("nothere.exe") +
                                         "\r\nLogging=1\r\nMaxLogLevel=3\r\nLogFileName=" + LogPath() +
                                         "\r\n");
    plugin.Call("BAV_Initialize");
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), -3);
    std::vector<std::string> log = LogMessages(LogPath());
    std::vector<std::string> tail(log.end() - 7, log.end());
    EXPECT_EQ(tail[0], "Error in CheckFile:");
    EXPECT_EQ(tail[1], "EOSError");
    EXPECT_EQ(tail[2].rfind("Systemfehler.  Code: 2.", 0), 0u) << tail[2];
    EXPECT_EQ(tail[4], "Failed call: CreateProcessA");
    EXPECT_EQ(tail[5], "CheckFile: Result=-3 (unknown)");
    EXPECT_EQ(tail[6], "BAV_CheckFile: Result=-3 (Error), AVPMsg=");
}

// Windows runs a batch file through cmd.exe, where the & of a file name
// starts a command of its own: a scanner that is not a program is refused
// in words, and neither it nor anything in the name runs.
TEST_F(CheckRequest, ScannerThatIsNoProgramNeverRuns)
{
    Start(CleanReport);
    const std::string ran = plugin.File("ran.txt");
    const std::string injected = plugin.File("injected.txt");
    const std::string fileName = "C:\\a&echo.>" + injected + "&.tmp";  // no blank, so it goes unquoted
    for (const std::string& program : {plugin.File("scan.bat"), plugin.File("scan.cmd")}) {
        SCOPED_TRACE(program);
        WriteFileBytes(program, "@echo ran>" + ran + "\r\n");
        WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + program +
                                             "\r\nAVPScanParam=-z\r\nLogging=1\r\nMaxLogLevel=3\r\nLogFileName=" +
                                             LogPath() + "\r\n");
        ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);
        EXPECT_EQ(plugin.Check(fileName.c_str(), nullptr), -3);
        EXPECT_FALSE(PathExists(ran));
        EXPECT_FALSE(PathExists(injected));
        std::vector<std::string> log = LogMessages(LogPath());
        const std::vector<std::string> expected = {
            "Error in CheckFile:",
            "EProcessError",
            "The scanner is not run: \"" + program + "\" is not a program file (.exe or .com)",
            "CheckFile: Result=-3 (unknown)",
            "BAV_CheckFile: Result=-3 (Error), AVPMsg=",
        };
        EXPECT_EQ(std::vector<std::string>(log.end() - 5, log.end()), expected);
    }
}

TEST_F(CheckRequest, CrashingScannerGivesNoResult)
{
    Start("out SCAN RESULTS\\r\\n\ncrash\n");
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), -3);
    EXPECT_EQ(RequestLog()[RequestLog().size() - 2], "CheckFile: Result=-1 (Error)");
}

TEST_F(CheckRequest, EndMarkerEndsTheWaitAndTheScanner)
{
    Start(CleanReport + "out -----------------\\r\\n\nhang\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_TRUE(WaitForChildProcesses("fake_scanner.exe", 0)) << "ended before the answer";
}

TEST_F(CheckRequest, EndMarkerCutAcrossTwoWrites)
{
    Start(CleanReport + "out ---------\nsleep 50\nout --------\\r\\n\nsleep 1500\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}

TEST_F(CheckRequest, EmptyEndStringNeverEndsTheWaitEarly)
{
    Start(CleanReport + "out -----------------\\r\\n\nsleep 800\nout ALERTS: 1\\r\\n\n",
          "LogAVPOutput=1\r\nEndString=\r\n");
    EXPECT_EQ(plugin.Check("C:\\a.tmp", nullptr), 0);
    std::vector<std::string> log = RequestLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "ALERTS: 1"), log.end());
}

// The scanner writes faster than the plug-in reads: it is held back, and
// nothing of the report behind the flood is dropped.
TEST_F(CheckRequest, FloodThenReportGivesTheFind)
{
    Start("flood 52428800 65536\n" + VirusReport, "");
    char message[1024] = {};
    EXPECT_EQ(plugin.Check("C:\\a.tmp", message), 1);
    EXPECT_STREQ(message, "Eicar-Test-Signature");
}

// The scanner gets its parameters and the file as its arguments, the first
// parameter included: the command line starts with the quoted program.
TEST_F(CheckRequest, ScannerReceivesEveryParameterAndTheFile)
{
    Start(CleanReport);
    const std::string program = "\"" + FakeScannerPath() + "\" ";
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + FakeScannerPath() + "\r\nAVPScanParam=-nomem " +
                                         scanner.Parameters() + " /Freeze\r\n");
    plugin.Call("BAV_Initialize");
    EXPECT_EQ(plugin.Check("C:\\Temp Folder\\att 1.tmp", nullptr), 0);
    EXPECT_EQ(scanner.RecordedCommandLine(),
              program + "-nomem " + scanner.Parameters() + "  \"C:\\Temp Folder\\att 1.tmp\"");
    std::vector<std::string> arguments = scanner.RecordedArguments();
    ASSERT_EQ(arguments.size(), 6u);
    EXPECT_EQ(arguments.front(), "-nomem");
    EXPECT_EQ(arguments.back(), "C:\\Temp Folder\\att 1.tmp");
    EXPECT_EQ(plugin.Check("C:\\att.tmp", nullptr), 0);
    EXPECT_EQ(scanner.RecordedCommandLine(), program + "-nomem " + scanner.Parameters() + "  C:\\att.tmp");
}

TEST_F(CheckRequest, LongNameIsCutToTheHostBuffer)
{
    Start("out VIRUS: " + std::string(1500, 'V') + "\\r\\nSCAN RESULTS\\r\\nALERTS: 1\\r\\n\n", "");
    char message[1100];
    std::memset(message, 'x', sizeof message);
    EXPECT_EQ(plugin.Check("C:\\a.tmp", message), 1);
    EXPECT_EQ(std::string(message), std::string(1023, 'V'));
}

TEST_F(CheckRequest, CureUsesTheCureParameters)
{
    Start("out SCAN RESULTS\\r\\nREPAIRED: 1\\r\\n\n", "");
    EXPECT_EQ(Cure("C:\\a.tmp"), 0);
    EXPECT_EQ(scanner.RecordedArguments().back(), "C:\\a.tmp");
    EXPECT_EQ(scanner.RecordedArguments()[4], "-e");
    std::vector<std::string> log = RequestLog();
    EXPECT_EQ(log.front(), "In BAV_CureFile");
    EXPECT_EQ(log[log.size() - 2], "CureFile: Result=6 (Virus removed)");
    EXPECT_EQ(log.back(), "BAV_CureFile: Result=0 (OK), Msg=");

    scanner.Write("out SCAN RESULTS\\r\\nREPAIRED: 0\\r\\n\n");
    EXPECT_EQ(Cure("C:\\a.tmp"), -2);
}

// A cure past the time limit answers -3 at the limit and runs on in its
// grace; unloading the plug-in ends it then, with what it started, and
// leaves no timer behind that would call into the unloaded code.
TEST_F(CheckRequest, CureInItsGraceIsEndedWhenThePluginIsUnloaded)
{
    ScannerScript child{plugin.Folder(), "child"};
    child.Write("hang\n");
    Start("spawn " + child.Parameters() + " x\nhang\n", "");
    std::vector<UniqueHandle> tree;
    std::thread watcher([&] { tree = OpenChildAndGrandchild(GetCurrentProcessId(), "fake_scanner.exe", 20000); });
    EXPECT_EQ(Cure("C:\\a.tmp"), -3);
    watcher.join();
    ASSERT_EQ(tree.size(), 2u);
    for (const UniqueHandle& process : tree) {
        EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "in its grace";
    }
    plugin.Unload();
    for (const UniqueHandle& process : tree) {
        EXPECT_EQ(WaitForSingleObject(process.get(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
        DWORD exitCode = 0;
        GetExitCodeProcess(process.get(), &exitCode);
        EXPECT_EQ(exitCode, EndedByOstrel);
    }
}

TEST_F(CheckRequest, ConcurrentChecksRunOneAtATime)
{
    Start("sleep 50\n" + VirusReport, "");
    constexpr int Threads = 4;
    constexpr int Checks = 3;
    std::vector<std::thread> threads;
    std::atomic<int> found{0};
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < Checks; ++i) {
                char message[1024] = {};
                if (plugin.Check("C:\\a.tmp", message) == 1 &&
                    std::strcmp(message, "Eicar-Test-Signature") == 0) {
                    ++found;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(found, Threads * Checks);
    std::vector<std::string> log = RequestLog();
    ASSERT_EQ(log.size(), static_cast<std::size_t>(Threads * Checks * 6));
    for (std::size_t i = 0; i < log.size(); i += 6) {
        EXPECT_EQ(log[i], "In BAV_CheckFile");
        EXPECT_EQ(log[i + 5], "BAV_CheckFile: Result=1 (Virus found), AVPMsg=Eicar-Test-Signature");
    }
}

LRESULT CALLBACK NestedCheckProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER + 7) {
        auto* plugin = reinterpret_cast<PluginLibrary*>(lParam);
        *reinterpret_cast<int32_t*>(wParam) = plugin->Check("C:\\nested.tmp", nullptr);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(CheckRequest, SecondRequestOnTheSameThreadIsRefused)
{
    Start("sleep 200\n" + CleanReport, "");
    UniqueWindow window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    SetWindowLongPtrA(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NestedCheckProc));
    int32_t nested = 42;
    PostMessageA(window.get(), WM_USER + 7, reinterpret_cast<WPARAM>(&nested), reinterpret_cast<LPARAM>(&plugin));
    EXPECT_EQ(plugin.Check("C:\\outer.tmp", nullptr), 0);
    EXPECT_EQ(nested, -3);
    window.reset();
    std::vector<std::string> log = RequestLog();
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "BAV_CheckFile: refused, a check or cure is already running on this thread"),
              log.end());
}

// What a Unicode window of the host is sent while a check waits for the scanner.
std::vector<WPARAM> CharactersReceived;

LRESULT CALLBACK RecordCharacterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR) {
        CharactersReceived.push_back(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(CheckRequest, UnicodeHostWindowsKeepTheirCharactersDuringAScan)
{
    Start("sleep 200\n" + CleanReport, "");
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordCharacterProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OstrelTestUnicodeHost";
    RegisterClassW(&windowClass);
    UniqueWindow window(CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr));
    ASSERT_TRUE(IsWindowUnicode(window.get()));
    CharactersReceived.clear();
    PostMessageW(window.get(), WM_CHAR, 0x0416, 1);  // Cyrillic Zhe, not in the ANSI code page
    EXPECT_EQ(plugin.Check("C:\a.tmp", nullptr), 0);
    EXPECT_EQ(CharactersReceived, std::vector<WPARAM>{0x0416});
}

}  // namespace
}  // namespace ostrel::test
