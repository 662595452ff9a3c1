#include "scanner/ProcessRunner.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <aclapi.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace ostrel::test {
namespace {

// Waits for the runner's events and processes this thread's messages until
// `done` holds or time runs out.
bool PumpUntil(TProcessRunner& runner, const std::function<bool()>& done, int milliseconds = 5000)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        runner.WaitForEvents(20);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
    return true;
}

class ProcessRunner : public ::testing::Test {
protected:
    void Prepare(const std::string& script)
    {
        scanner.Write(script);
        runner.ApplicationName = "  " + FakeScannerPath() + " ";
        runner.CommandLine = "fake_scanner " + scanner.Parameters() + " C:\\file.txt";
        runner.ConsoleOptions = coRedirect;
        runner.OnRawRead = [this](TProcessRunner&, std::string_view chunk) { chunks.emplace_back(chunk); };
        runner.OnRead = [this](TProcessRunner&, const std::string& line) { lines.push_back(line); };
        runner.OnTerminate = [this](TProcessRunner&, uint32_t exitCode) {
            ++terminations;
            this->exitCode = exitCode;
            chunksAtEnd = chunks.size();
        };
    }

    TempDir folder;
    ScannerScript scanner{folder};
    TProcessRunner runner;
    std::vector<std::string> chunks;
    std::vector<std::string> lines;
    int terminations = 0;
    uint32_t exitCode = 0;
    std::size_t chunksAtEnd = 0;
};

TEST_F(ProcessRunner, DeliversRawChunksLinesAndTheEndInOrder)
{
    Prepare("out abc\\rx\\n\nsleep 100\nout last line\nexit 7\n");
    runner.Run();
    EXPECT_EQ(runner.State(), TProcessState::Waiting);
    ASSERT_TRUE(PumpUntil(runner, [&] { return terminations > 0; }));
    // A slow reader may find both writes in the pipe at once.
    ASSERT_FALSE(chunks.empty());
    EXPECT_EQ(chunks.front().substr(0, 6), "abc\rx\n");
    std::string all;
    for (const std::string& chunk : chunks) {
        all += chunk;
    }
    EXPECT_EQ(all, "abc\rx\nlast line");
    EXPECT_EQ((std::vector<std::string>{"xbc", "last line"}), lines);
    EXPECT_EQ(runner.OutputLines(), lines);
    EXPECT_EQ(exitCode, 7u);
    EXPECT_EQ(chunksAtEnd, chunks.size());
    EXPECT_EQ(runner.State(), TProcessState::Ready);
    PumpUntil(runner, [] { return false; }, 200);
    EXPECT_EQ(terminations, 1);
}

TEST_F(ProcessRunner, OutputWrittenJustBeforeTheEndIsNotLost)
{
    Prepare("flood 200000 8192\nout END\\r\\n\n");
    for (int run = 0; run < 25; ++run) {  // the end races with the last read
        chunks.clear();
        int before = terminations;
        runner.Run();
        ASSERT_TRUE(PumpUntil(runner, [&] { return terminations > before; }));
        std::string all;
        for (const std::string& chunk : chunks) {
            all += chunk;
        }
        EXPECT_EQ(all.size(), 200005u);
        EXPECT_EQ(all.substr(all.size() - 5), "END\r\n");
    }
}

TEST_F(ProcessRunner, DetachLeavesTheChildRunningAndFiresNothing)
{
    Prepare("sleep 700\ntouch " + scanner.MarkerPath() + "\n");
    runner.Run();
    runner.Detach();
    EXPECT_EQ(runner.State(), TProcessState::Ready);
    EXPECT_FALSE(PumpUntil(runner, [&] { return PathExists(scanner.MarkerPath()) && terminations > 0; }, 2000));
    EXPECT_TRUE(PathExists(scanner.MarkerPath()));
    EXPECT_EQ(terminations, 0);

    // A new run may start at once.
    scanner.Write("exit 3\n");
    runner.Run();
    ASSERT_TRUE(PumpUntil(runner, [&] { return terminations > 0; }));
    EXPECT_EQ(exitCode, 3u);
}

TEST_F(ProcessRunner, StateErrors)
{
    Prepare("sleep 300\n");
    EXPECT_THROW(runner.Terminate(), EProcessError);
    runner.Run();
    try {
        runner.Run();
        FAIL() << "no error";
    } catch (const EProcessError& error) {
        EXPECT_EQ(error.Message(), "Can't perform this operation when process is running");
    }
    EXPECT_THROW(runner.SetWaitForTerminate(false), EProcessError);
    ASSERT_TRUE(PumpUntil(runner, [&] { return terminations > 0; }));
    EXPECT_EQ(exitCode, 0u);

    runner.Environment = {"A=1", ""};
    try {
        runner.Run();
        FAIL() << "no error";
    } catch (const EProcessError& error) {
        EXPECT_EQ(error.Message(), "Environment entries must not be empty strings.");
    }
    EXPECT_EQ(runner.State(), TProcessState::Ready);
}

TEST_F(ProcessRunner, TerminateEndsAWatchedProcess)
{
    Prepare("hang\n");
    runner.Run();
    EXPECT_TRUE(runner.Terminate());
    ASSERT_TRUE(PumpUntil(runner, [&] { return terminations > 0; }));
    EXPECT_EQ(exitCode, EndedByOstrel);
}

// An inheritable handle of the host stays the host's: the child sees its
// standard output inherited, and not the event.
TEST_F(ProcessRunner, ChildInheritsOnlyItsStandardHandles)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    const UniqueHandle event(CreateEventA(&inheritable, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    Prepare("inherited\ninherited " + std::to_string(reinterpret_cast<uintptr_t>(event.get())) + "\n");
    runner.Run();
    ASSERT_TRUE(PumpUntil(runner, [&] { return terminations > 0; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"INHERITED=yes", "INHERITED=no"}));
}

TEST_F(ProcessRunner, StartFailureRaisesTheSystemError)
{
    Prepare("");
    runner.ApplicationName = folder.File("missing.exe");
    try {
        runner.Run();
        FAIL() << "no error";
    } catch (const EOSError& error) {
        EXPECT_EQ(error.Message().rfind("Systemfehler.  Code: 2.\r\n", 0), 0u) << error.Message();
        EXPECT_EQ(error.Call(), "CreateProcessA");
    }
    EXPECT_EQ(runner.State(), TProcessState::Ready);
}

class ProcessTree : public ::testing::Test {
protected:
    // The fake scanner on `script`, suspended; in a job when `inJob`.
    void Start(const std::string& script, bool inJob)
    {
        scanner.Write(script);
        std::string commandLine = "fake_scanner " + scanner.Parameters() + " C:\\file.txt";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        ASSERT_TRUE(CreateProcessA(FakeScannerPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                   CREATE_SUSPENDED, nullptr, nullptr, &startup, &started));
        const UniqueHandle thread(started.hThread);
        if (inJob) {
            tree.Adopt(UniqueHandle(started.hProcess));
            ASSERT_TRUE(tree.Job.Active());
        } else {
            tree.Process.reset(started.hProcess);
        }
        ResumeThread(thread.get());
    }

    TempDir folder;
    ScannerScript scanner{folder};
    ScannerScript child{folder, "child"};
    TProcessTree tree;
};

// Without a job, as where the system allows none, or when the job cannot
// be ended, the process is still ended, through its handle.
TEST_F(ProcessTree, WithoutAJobTheProcessIsEndedThroughItsHandle)
{
    Start("hang\n", false);
    EXPECT_TRUE(tree.End());
    ASSERT_TRUE(tree.WaitUntilEnded(5000));
    DWORD exitCode = 0;
    GetExitCodeProcess(tree.Process.get(), &exitCode);
    EXPECT_EQ(exitCode, EndedByOstrel);
}

// A tree has ended when nothing in its job runs, not when its root has.
TEST_F(ProcessTree, TheWaitLastsUntilWhatTheProcessStartedHasEnded)
{
    child.Write("hang\n");
    Start("spawn " + child.Parameters() + " x\nexit 0\n", true);
    ASSERT_EQ(WaitForSingleObject(tree.Process.get(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_FALSE(tree.WaitUntilEnded(100));
    EXPECT_TRUE(tree.End());
    EXPECT_TRUE(tree.WaitUntilEnded(5000));
}

// The pipe that carries the scanner's report: one entry in its DACL, for
// the user of this process, where the default DACL may let Everyone read.
TEST(OutputPipe, OnlyThisUserMayOpenIt)
{
    const OutputPipe pipe = CreateOutputPipe();
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetSecurityInfo(pipe.parentReadEnd.get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    const std::unique_ptr<void, decltype(&LocalFree)> freeDescriptor(descriptor, LocalFree);
    ASSERT_NE(dacl, nullptr) << "no DACL lets everyone in";
    ASSERT_EQ(dacl->AceCount, 1);
    ACCESS_ALLOWED_ACE* entry = nullptr;
    ASSERT_TRUE(GetAce(dacl, 0, reinterpret_cast<void**>(&entry)));
    EXPECT_EQ(entry->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);

    UniqueHandle token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.receive()));
    alignas(TOKEN_USER) char user[256];
    DWORD size = 0;
    ASSERT_TRUE(GetTokenInformation(token.get(), TokenUser, user, sizeof user, &size));
    EXPECT_TRUE(EqualSid(&entry->SidStart, reinterpret_cast<TOKEN_USER*>(user)->User.Sid));
}

TEST(StartupOptions, FillTheStartupRecord)
{
    TStartupOptions options;
    STARTUPINFOA info = {};
    options.Fill(info);
    EXPECT_EQ(info.cb, sizeof(STARTUPINFOA));
    EXPECT_EQ(info.dwFlags, 0u);

    options.DefaultWindowState = false;
    options.ShowWindow = TStartupShowWindow::swHide;
    info = {};
    options.Fill(info);
    EXPECT_EQ(info.wShowWindow, SW_HIDE);
    EXPECT_EQ(info.dwFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
}

}  // namespace
}  // namespace ostrel::test
