// ostrelscan's hidden program run against a real child process (the test
// suite's fake scanner), a profile table entry of the test's own that runs
// it as a scanner, and ostrelscan.exe itself with the fake as its engine.
#include "ChildProcess.h"
#include "Profiles.h"
#include "scanner/ProcessJob.h"
#include "support/DialogWindows.h"
#include "support/ProcessList.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace ostrel::ostrelscan {
namespace {

using test::FakeScannerPath;

class HiddenRun : public ::testing::Test {
protected:
    ChildRun Run(const std::string& script, unsigned long timeoutMs = 5000, std::size_t limit = 1 << 20)
    {
        scanner.Write(script);
        return RunHidden(FakeScannerPath(), "fake_scanner " + scanner.Parameters() + " C:\\a.eml",
                         timeoutMs, limit);
    }

    test::TempDir folder;
    test::ScannerScript scanner{folder};
};

TEST_F(HiddenRun, OutputOfBothStreamsAndTheExitCode)
{
    const ChildRun run = Run("out one\\r\\n\nerr two\\r\\n\nsleep 50\nout three\nexit 7\n");
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.exitCode, 7u);
    EXPECT_EQ(run.output, "one\r\ntwo\r\nthree");
    EXPECT_FALSE(run.outputCut);
}

TEST_F(HiddenRun, ProgramStillRunningAtTheTimeoutIsEnded)
{
    const auto start = std::chrono::steady_clock::now();
    const ChildRun run = Run("out started\nhang\n", 1000);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.failure, "the program did not end within 1 s and was stopped");
    EXPECT_EQ(run.output, "started");
    EXPECT_LT(seconds, 3.0);
}

TEST_F(HiddenRun, OutputBeyondTheLimitIsDroppedNotWaitedOn)
{
    const ChildRun run = Run("flood 1000000\nexit 1\n", 10000, 1000);
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.output.size(), 1000u);
    EXPECT_TRUE(run.outputCut);
}

TEST_F(HiddenRun, MissingProgram)
{
    const ChildRun run = RunHidden(folder.File("nothere.exe"), "nothere x", 1000);
    EXPECT_EQ(run.failure.rfind("cannot start " + folder.File("nothere.exe") + ": ", 0), 0u) << run.failure;
}

TEST_F(HiddenRun, AFurtherScannerIsOneMoreProfile)
{
    // Prints clamscan's way and ends with its own codes: 0 clean, 5 found.
    ScannerProfile fake;
    fake.engine = "fake";
    fake.title = "Fake scanner";
    fake.arguments = scanner.Parameters() + " {file}";
    fake.cleanCodes = {0};
    fake.infectedCodes = {5};
    fake.namePatterns = {"*: {name} FOUND"};
    const std::string file = "C:\\Mail\\att 1.eml";
    const std::string commandLine = ProfileCommandLine(fake, FakeScannerPath(), file);

    scanner.Write("echo-file\nout C:\\\\Mail\\\\att 1.eml: Fake.Test FOUND\\r\\n\nexit 5\n");
    ChildRun run = RunHidden(FakeScannerPath(), commandLine, 5000);
    EXPECT_EQ(run.output.substr(0, run.output.find('\r')), "FILE=" + file) << "the file arrives whole";
    Verdict verdict = ReadProfileReport(fake, run.exitCode, run.output);
    EXPECT_EQ(verdict.kind, Verdict::Kind::infected);
    EXPECT_EQ(verdict.name, "Fake.Test");

    scanner.Write("out C:\\\\Mail\\\\att 1.eml: OK\\r\\n\nexit 0\n");
    run = RunHidden(FakeScannerPath(), commandLine, 5000);
    EXPECT_EQ(ReadProfileReport(fake, run.exitCode, run.output).kind, Verdict::Kind::clean);

    scanner.Write("crash\n");
    run = RunHidden(FakeScannerPath(), commandLine, 5000);
    EXPECT_EQ(ReadProfileReport(fake, run.exitCode, run.output).kind, Verdict::Kind::error);
}

DWORD ExitCode(HANDLE process)
{
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

// Holds a process still, so that its time limit cannot end what a loaded
// machine is slow to start before the test has seen it.
class FrozenProcess {
public:
    explicit FrozenProcess(HANDLE process) : process_(process) { Call("NtSuspendProcess"); }
    ~FrozenProcess() { Call("NtResumeProcess"); }
    FrozenProcess(const FrozenProcess&) = delete;
    FrozenProcess& operator=(const FrozenProcess&) = delete;

private:
    void Call(const char* name)
    {
        using Function = LONG(NTAPI*)(HANDLE);
        const auto function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
        ASSERT_NE(function, nullptr) << name;
        EXPECT_EQ(function(process_), 0) << name;
    }
    HANDLE process_;
};

// ostrelscan holds its engine as the plug-in holds ostrelscan. The engine
// here lists the handles it inherited, starts a child and hangs: none of
// the handles is the plug-in's pipe, and ostrelscan's time-out has ended
// both before ostrelscan answers.
TEST_F(HiddenRun, OstrelscanEndsItsEngineWithWhatItStartedAndKeepsThePluginPipe)
{
    test::ScannerScript child{folder, "child"};
    child.Write("hang\n");
    const std::string handles = folder.File("handles.txt");
    // The file to check, which the engine takes for its script.
    const std::string mail = folder.File("mail.eml");
    test::WriteFileBytes(mail, "handles " + handles + "\nspawn " + child.Parameters() + " x\nhang\n");

    // The plug-in's side: a pipe whose write end is ostrelscan's output.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueHandle readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(readEnd.receive(), writeEnd.receive(), &inheritable, 0));
    ASSERT_TRUE(SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0));
    const uintptr_t pluginPipe = reinterpret_cast<uintptr_t>(writeEnd.get());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    std::string commandLine = "ostrelscan --engine=clamscan --program=" + FakeScannerPath() + " --timeout=2 " + mail;
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessA((test::ProgramFolder() + "\\ostrelscan.exe").c_str(), commandLine.data(), nullptr,
                               nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started));
    const UniqueHandle ostrelscan(started.hProcess), thread(started.hThread);
    std::vector<UniqueHandle> engine;
    ASSERT_TRUE(test::WaitUntil([&] { return !test::ChildProcessIds(started.dwProcessId, "fake_scanner.exe").empty(); }));
    {
        const FrozenProcess frozen(ostrelscan.get());
        engine = test::OpenChildAndGrandchild(started.dwProcessId, "fake_scanner.exe", 20000);
    }
    ASSERT_EQ(WaitForSingleObject(ostrelscan.get(), 15000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(ExitCode(ostrelscan.get()), 2u) << "no verdict";

    ASSERT_EQ(engine.size(), 2u);
    for (const UniqueHandle& process : engine) {
        EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
        EXPECT_EQ(ExitCode(process.get()), EndedByOstrel);
    }
    // Its standard input and its output, nothing else.
    const std::string inherited = test::ReadFileBytes(handles);
    EXPECT_EQ(std::count(inherited.begin(), inherited.end(), '\n'), 2) << inherited;
    EXPECT_EQ(("\n" + inherited).find("\n" + std::to_string(pluginPipe) + "\n"), std::string::npos) << inherited;
}

// Once the engine has answered, what it started and left running goes too.
TEST_F(HiddenRun, WhatTheEngineLeftRunningEndsWithTheRun)
{
    test::ScannerScript child{folder, "child"};
    child.Write("hang\n");
    const std::string go = folder.File("go");
    std::vector<UniqueHandle> tree;
    std::thread watcher([&] {
        tree = test::OpenChildAndGrandchild(GetCurrentProcessId(), "fake_scanner.exe", 10000);
        test::WriteFileBytes(go, "");
    });
    const ChildRun run = Run("spawn " + child.Parameters() + " x\nawait " + go + "\nout answered\n");
    watcher.join();
    EXPECT_EQ(run.output, "answered");
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(WaitForSingleObject(tree[1].get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(ExitCode(tree[1].get()), EndedByOstrel);
}

}  // namespace
}  // namespace ostrel::ostrelscan
