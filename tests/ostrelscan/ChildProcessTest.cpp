// ostrelscan's hidden program run against a real child process (the test
// suite's fake scanner), and a profile table entry of the test's own that
// runs it as a scanner.
#include "ChildProcess.h"
#include "Profiles.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>

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
}

TEST_F(HiddenRun, MissingProgram)
{
    const ChildRun run = RunHidden(folder.File("nothere.exe"), "nothere x", 1000);
    EXPECT_EQ(run.failure.rfind("cannot start " + folder.File("nothere.exe") + ": ", 0), 0u) << run.failure;
}

TEST_F(HiddenRun, AFurtherScannerIsOneMoreProfile)
{
    // Prints clamscan's way and ends with its own codes: 0 clean, 5 found.
    const ScannerProfile fake{"fake",  "Fake scanner", {}, scanner.Parameters() + " {file}",
                              {0},     {5},            "*: {name} FOUND", ""};
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

}  // namespace
}  // namespace ostrel::ostrelscan
