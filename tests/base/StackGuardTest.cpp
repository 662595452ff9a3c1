// The stack protector of the programs built here, seen in the fake scanner:
// its guard is drawn anew at every start, and a failed check ends the
// process at once, whatever exception handling the process has.
#include "base/UniqueResource.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace ostrel::test {
namespace {

class StackGuard : public ::testing::Test {
protected:
    // Runs the script with standard output into a new file `outputPath`;
    // the exit code. A file per run: the console host Wine gives the child
    // holds the child's handles, and may still hold the last run's.
    DWORD Run(const std::string& script, const std::string& outputPath)
    {
        scanner.Write(script);
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
        UniqueFile output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      &inheritable, CREATE_NEW, 0, nullptr));
        EXPECT_TRUE(output);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        std::string commandLine = "fake_scanner " + scanner.Parameters() + " C:\\file.txt";
        PROCESS_INFORMATION started = {};
        if (!CreateProcessA(FakeScannerPath().c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                            CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started)) {
            ADD_FAILURE() << "CreateProcessA failed: " << GetLastError();
            return 0;
        }
        const UniqueHandle process(started.hProcess);
        const UniqueHandle thread(started.hThread);
        WaitForSingleObject(process.get(), INFINITE);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.get(), &exitCode);
        return exitCode;
    }

    TempDir folder;
    ScannerScript scanner{folder};
};

TEST_F(StackGuard, IsDrawnAnewAtEveryStart)
{
    std::set<std::string> guards;
    for (int run = 0; run < 3; ++run) {
        const std::string output = folder.File("guard" + std::to_string(run) + ".txt");
        ASSERT_EQ(Run("guard\n", output), 0u);
        guards.insert(ReadFileBytes(output));
    }
    EXPECT_EQ(guards.size(), 3u);
}

// The fake scanner's exception filter would turn a trap into an exit code of its own.
TEST_F(StackGuard, AFailedCheckEndsTheProcessAtOnce)
{
    const std::string output = folder.File("output.txt");
    EXPECT_EQ(Run("smash\nout still running\n", output), STATUS_STACK_BUFFER_OVERRUN);
    EXPECT_EQ(ReadFileBytes(output), "");
}

}  // namespace
}  // namespace ostrel::test
