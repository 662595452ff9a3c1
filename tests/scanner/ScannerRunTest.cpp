#include "plugin/OstrelConstVars.h"
#include "scanner/ScannerInvocation.h"
#include "support/DialogWindows.h"
#include "support/LogFileLines.h"
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
};

TEST_F(ScannerRun, HungScannerTimesOutAndIsEnded)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("sleep 1500\ntouch " + scanner.MarkerPath() + "\n", 300), ScanResult::TimedOut);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1200));
    std::vector<std::string> lines = LogMessages(log);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"Output: ", "Timeoutvalue 0 sec. elapsed since starting program"}));
    // Past the scanner's own end: it was ended, so it never got there.
    std::this_thread::sleep_until(start + std::chrono::milliseconds(2000));
    EXPECT_FALSE(PathExists(scanner.MarkerPath()));
}

// A cure may be rewriting the file: it is not cut off halfway.
TEST_F(ScannerRun, HungCureTimesOutAndIsLeftToFinish)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("sleep 2500\ntouch " + scanner.MarkerPath() + "\n", 300, true), ScanResult::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_TRUE(WaitUntil([&] { return PathExists(scanner.MarkerPath()); }, 10000));
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
