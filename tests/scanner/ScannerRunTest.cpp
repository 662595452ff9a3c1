#include "plugin/OstrelConstVars.h"
#include "scanner/ScannerInvocation.h"
#include "support/DialogWindows.h"
#include "support/LogFileLines.h"
#include "support/ProcessList.h"
#include "support/ResultPrinters.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace ostrel::test {
namespace {

// One scanner run with a short time limit, logging into a file of its own.
class ScannerRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        Plugin().Config.Update([&](ConfigValues& values) {
            values = ConfigValues();
            values.Logging = true;
            values.LogFileName = log;
            values.MaxLogLevel = 3;
        });
        Plugin().Log.SetFileName(log);
    }
    void TearDown() override
    {
        EXPECT_TRUE(WaitForChildProcesses("fake_scanner.exe", 15000));
        Plugin().Config.Update([](ConfigValues& values) { values = ConfigValues(); });
        Plugin().Log.SetFileName("");
    }

    ScanResult Run(const std::string& script, DWORD timeLimit, bool isCure = false)
    {
        scanner.Write(script);
        TScanRunSettings settings;
        settings.AVPExeName = FakeScannerPath();
        settings.EndString = "-----";
        settings.LogAVPOutput = true;
        settings.TimeLimitMilliseconds = timeLimit;
        std::string msg;
        return DoExecute(settings, PluginLog(), Plugin().Messages, isCure,
                         "fake_scanner " + scanner.Parameters() + " C:\\a.tmp", "", msg);
    }

    TempDir folder;
    const std::string log = folder.File("run.log");
    ScannerScript scanner{folder};
    ScannerScript child{folder, "child"};
};

// The scanner and the program it started both outlive the limit: the check
// ends them both. Each is held by its handle while it runs, so its id
// cannot pass to another process before it is looked up.
TEST_F(ScannerRun, HungScannerTimesOutAndIsEndedWithWhatItStarted)
{
    child.Write("sleep 4000\ntouch " + child.MarkerPath() + "\n");
    std::vector<UniqueHandle> tree;
    std::thread watcher([&] {
        WaitUntil([&] {
            for (DWORD scannerId : ChildProcessIds(GetCurrentProcessId(), "fake_scanner.exe")) {
                for (DWORD childId : ChildProcessIds(scannerId, "fake_scanner.exe")) {
                    tree.emplace_back(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, scannerId));
                    tree.emplace_back(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, childId));
                    return true;
                }
            }
            return false;
        });
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("spawn " + child.Parameters() + "\nhang\n", 2000), ScanResult::TimedOut);
    auto elapsed = std::chrono::steady_clock::now() - start;
    watcher.join();
    EXPECT_GE(elapsed, std::chrono::milliseconds(2000));
    EXPECT_LT(elapsed, std::chrono::milliseconds(3500));
    std::vector<std::string> lines = LogMessages(log);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"Output: ", "Timeoutvalue 2 sec. elapsed since starting program"}));

    ASSERT_EQ(tree.size(), 2u);
    for (const UniqueHandle& process : tree) {
        ASSERT_TRUE(process);
        EXPECT_EQ(WaitForSingleObject(process.get(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));
        EXPECT_FALSE(ProcessListed(GetProcessId(process.get())));
    }
    // Ended before its time: it never wrote its file.
    EXPECT_FALSE(PathExists(child.MarkerPath()));
}

// A cure may be rewriting the file: it is not cut off halfway, nor is
// anything it started.
TEST_F(ScannerRun, HungCureTimesOutAndIsLeftToFinish)
{
    child.Write("sleep 1000\ntouch " + child.MarkerPath() + "\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("spawn " + child.Parameters() + "\nsleep 2500\ntouch " + scanner.MarkerPath() + "\n", 300, true),
              ScanResult::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_TRUE(WaitUntil([&] { return PathExists(scanner.MarkerPath()) && PathExists(child.MarkerPath()); }));
}

// The job has no kill-on-close: what a scanner started outlives a run that
// ended in time, by the scanner's end or by the end marker.
TEST_F(ScannerRun, ProgramsStartedByAScannerThatEndedInTimeAreLeftAlone)
{
    const std::string report = "out SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n";
    child.Write("sleep 500\ntouch " + child.MarkerPath() + "\n");
    EXPECT_EQ(Run("spawn " + child.Parameters() + "\n" + report, 12000), ScanResult::Clean);
    EXPECT_TRUE(WaitUntil([&] { return PathExists(child.MarkerPath()); }));

    ScannerScript second{folder, "second"};
    second.Write("sleep 500\ntouch " + second.MarkerPath() + "\n");
    EXPECT_EQ(Run("spawn " + second.Parameters() + "\n" + report + "out -----\\r\\n\nsleep 500\ntouch " +
                      scanner.MarkerPath() + "\n",
                  12000),
              ScanResult::Clean);
    EXPECT_TRUE(WaitUntil([&] { return PathExists(second.MarkerPath()) && PathExists(scanner.MarkerPath()); }));
}

TEST_F(ScannerRun, EndlessOutputTimesOut)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("flood 4000000000 65536\n", 300), ScanResult::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5000));
    const std::vector<std::string> lines = LogMessages(log);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Timeoutvalue 0 sec. elapsed since starting program");
}

// The whole output is read for the report; the log keeps only its start.
TEST_F(ScannerRun, OutputBeyondTheLogLimitIsReadButNotLogged)
{
    EXPECT_EQ(Run("flood 20971520 65536\nout SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n", 12000),
              ScanResult::Clean);
    const std::vector<std::string> lines = LogMessages(log);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "(Output cut: the log keeps its first 16 MiB.)");
    std::size_t logged = 0;
    for (const std::string& line : lines) {
        logged += line.size() + 2;
    }
    EXPECT_LE(logged, TScannerRun::MaxLoggedOutput + 4096);
}

TEST_F(ScannerRun, OutputBeforeTheLimitIsLoggedAndTheWaitEndsWithTheScanner)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("out SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n", 12000), ScanResult::Clean);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3000));
    EXPECT_EQ(LogMessages(log).back(), "SUSPICIOUS: 0");
}

}  // namespace
}  // namespace ostrel::test
