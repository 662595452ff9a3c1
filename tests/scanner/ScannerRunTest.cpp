#include "log/LogError.h"
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

    ScanResult Run(const std::string& script, DWORD timeLimit, bool isCure = false,
                   DWORD grace = CureGraceMilliseconds)
    {
        scanner.Write(script);
        WriteFileBytes(mail, "a mail");
        TScanRunSettings settings;
        settings.AVPExeName = FakeScannerPath();
        settings.EndString = "-----";
        settings.LogAVPOutput = true;
        settings.TimeLimitMilliseconds = timeLimit;
        settings.CureGrace = &cureGrace;
        settings.GraceMilliseconds = grace;
        settings.CancelEvent = cancel.get();
        std::string msg;
        return DoExecute(settings, *runLog, Plugin().Messages, isCure,
                         "fake_scanner " + scanner.Parameters() + " " + mail, "", msg);
    }

    // The scanner and the program it started, once both run.
    std::thread WatchTree(std::vector<UniqueHandle>& tree)
    {
        return std::thread([&tree] { tree = OpenChildAndGrandchild(GetCurrentProcessId(), "fake_scanner.exe", 10000); });
    }

    TempDir folder;
    const std::string log = folder.File("run.log");
    const std::string mail = folder.File("mail.tmp");
    ScannerScript scanner{folder};
    ScannerScript child{folder, "child"};
    TCureGrace cureGrace;
    LogSink* runLog = &PluginLog();
    UniqueHandle cancel{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

DWORD ExitCode(const UniqueHandle& process)
{
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

// The scanner and the program it started both outlive the limit and hold
// the file: the check ends them both, and answers only once they are gone,
// as the host deletes the file as soon as it has the answer.
TEST_F(ScannerRun, HungScannerTimesOutAndIsEndedWithWhatItStarted)
{
    child.Write("hold\nhang\n");
    std::vector<UniqueHandle> tree;
    std::thread watcher = WatchTree(tree);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("hold\nspawn " + child.Parameters() + " " + mail + "\nhang\n", 2000), ScanResult::TimedOut);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(DeleteFileA(mail.c_str())) << GetLastError();
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
        EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
        EXPECT_EQ(ExitCode(process), EndedByOstrel);
        EXPECT_FALSE(ProcessListed(GetProcessId(process.get())));
    }
}

// A cancelled check ends at once, as at its time limit: with what it
// started, before it answers.
TEST_F(ScannerRun, CancelledCheckEndsAtOnceWithWhatItStarted)
{
    child.Write("hang\n");
    std::vector<UniqueHandle> tree;
    std::thread canceller([&] {
        tree = OpenChildAndGrandchild(GetCurrentProcessId(), "fake_scanner.exe", 10000);
        SetEvent(cancel.get());
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("spawn " + child.Parameters() + "\nhang\n", 60000), ScanResult::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    canceller.join();
    ASSERT_EQ(tree.size(), 2u);
    for (const UniqueHandle& process : tree) {
        EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
    }
    EXPECT_EQ(LogMessages(log).back(), "The scanner run was cancelled");
}

// A cure may be rewriting the file: within its grace it is not cut off
// halfway, nor is anything it started.
TEST_F(ScannerRun, HungCureTimesOutAndIsLeftToFinish)
{
    child.Write("sleep 1000\ntouch " + child.MarkerPath() + "\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("spawn " + child.Parameters() + "\nsleep 2500\ntouch " + scanner.MarkerPath() + "\n", 300, true),
              ScanResult::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_TRUE(WaitUntil([&] { return PathExists(scanner.MarkerPath()) && PathExists(child.MarkerPath()); }));
}

// A cure past its limit still answers at the limit. Its scanner and what
// that started run on through the grace and are ended when it is over, or
// before, when the plug-in goes and ends them all.
TEST_F(ScannerRun, CurePastItsGraceIsEndedWithWhatItStarted)
{
    const struct {
        DWORD grace;
        bool endAll;
    } cases[] = {{3000, false}, {CureGraceMilliseconds, true}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.endAll ? "ended with all" : "grace over");
        child.Write("hang\n");
        std::vector<UniqueHandle> tree;
        std::thread watcher = WatchTree(tree);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Run("spawn " + child.Parameters() + "\nhang\n", 300, true, test.grace), ScanResult::TimedOut);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
        watcher.join();
        ASSERT_EQ(tree.size(), 2u);
        for (const UniqueHandle& process : tree) {
            EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "in its grace";
        }
        if (test.endAll) {
            cureGrace.EndAll();
        }
        for (const UniqueHandle& process : tree) {
            EXPECT_EQ(WaitForSingleObject(process.get(), test.endAll ? 5000 : test.grace + 10000),
                      static_cast<DWORD>(WAIT_OBJECT_0));
            EXPECT_EQ(ExitCode(process), EndedByOstrel);
        }
    }
}

// A log that fails once the scanner has run, as on a full disk.
class FailingLog : public LogSink {
public:
    void WriteLog(const std::string& text, int32_t) override
    {
        if (text.rfind("Output: ", 0) == 0) {
            throw ELogError("The disk is full");
        }
    }
};

// An answer in time ends what its run left running: a program the scanner
// started, and the scanner itself when it runs on after its end marker. A
// cure's are given the grace instead, as they may still be writing. An
// error once the scanner runs, such as a log write that fails, settles
// them just so before it leaves the run.
TEST_F(ScannerRun, WhatARunLeftRunningGoesWithItsAnswer)
{
    const std::string report = "out SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n";
    const std::string afterMarker = "out -----\\r\\n\nhang\n";
    const std::string go = folder.File("go");
    FailingLog failingLog;
    const struct {
        const char* name;
        std::string tail;
        bool isCure;
        ScanResult answer;
        bool logFails = false;
    } cases[] = {
        {"the scanner ended", "", false, ScanResult::Clean},
        {"the end marker", afterMarker, false, ScanResult::Clean},
        {"a cure's end marker", afterMarker, true, ScanResult::NotCured},
        {"a check whose log fails", afterMarker, false, ScanResult::RequestError, true},
        {"a cure whose log fails", afterMarker, true, ScanResult::RequestError, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        DeleteFileA(go.c_str());
        child.Write("hang\n");
        std::vector<UniqueHandle> tree;
        std::thread watcher([&] {
            tree = OpenChildAndGrandchild(GetCurrentProcessId(), "fake_scanner.exe", 10000);
            WriteFileBytes(go, "");
        });
        runLog = test.logFails ? static_cast<LogSink*>(&failingLog) : &PluginLog();
        const std::string script = "spawn " + child.Parameters() + "\nawait " + go + "\n" + report + test.tail;
        ScanResult answer = ScanResult::RequestError;
        try {
            answer = Run(script, 12000, test.isCure);
        } catch (const ELogError&) {
            // The request answers an error with RequestError.
        }
        EXPECT_EQ(answer, test.answer);
        watcher.join();
        ASSERT_EQ(tree.size(), 2u);
        const UniqueHandle& started = tree[1];
        if (test.isCure) {
            for (const UniqueHandle& process : tree) {
                EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "in its grace";
            }
            cureGrace.EndAll();
        }
        for (const UniqueHandle& process : tree) {
            EXPECT_EQ(WaitForSingleObject(process.get(), test.isCure ? 5000 : 0), static_cast<DWORD>(WAIT_OBJECT_0));
        }
        EXPECT_EQ(ExitCode(started), EndedByOstrel);
    }
}

// A cure past its limit that prints on is still heard: its output is read
// through the grace, so it finishes its repair instead of failing a write.
TEST_F(ScannerRun, CureInItsGracePrintsOnAndFinishesItsRepair)
{
    const std::string go = folder.File("go");
    EXPECT_EQ(Run("await " + go + "\nflood 1048576\ntouch " + scanner.MarkerPath() + "\n", 300, true),
              ScanResult::TimedOut);
    WriteFileBytes(go, "");
    EXPECT_TRUE(WaitUntil([&] { return PathExists(scanner.MarkerPath()); })) << "the repair was cut off";
}

// A cancel ends the wait at once and settles the run as its time limit
// would: the scanner is gone when the answer comes.
TEST_F(ScannerRun, CancelEndsTheRunAtOnce)
{
    std::thread canceller([&] {
        WaitUntil([&] { return PathExists(scanner.MarkerPath()); });
        SetEvent(cancel.get());
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run("touch " + scanner.MarkerPath() + "\nhang\n", 12000), ScanResult::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5000));
    canceller.join();
    EXPECT_TRUE(WaitForChildProcesses("fake_scanner.exe", 0)) << "ended before the answer";
    EXPECT_EQ(LogMessages(log).back(), "The scanner run was cancelled");
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
