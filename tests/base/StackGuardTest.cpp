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
    // Runs the script with standard output into a file; the exit code.
    DWORD Run(const std::string& script)
    {
        scanner.Write(script);
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
        UniqueFile output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                      CREATE_ALWAYS, 0, nullptr));
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
    std::string outputPath = folder.File("output.txt");
};

TEST_F(StackGuard, IsDrawnAnewAtEveryStart)
{
    std::set<std::string> guards;
    for (int run = 0; run < 3; ++run) {
        ASSERT_EQ(Run("guard\n"), 0u);
        guards.insert(ReadFileBytes(outputPath));
    }
    EXPECT_EQ(guards.size(), 3u);
}

// The fake scanner's exception filter would turn a trap into an exit code of its own.
TEST_F(StackGuard, AFailedCheckEndsTheProcessAtOnce)
{
    EXPECT_EQ(Run("smash\nout still running\n"), STATUS_STACK_BUFFER_OVERRUN);
    EXPECT_EQ(ReadFileBytes(outputPath), "");
}

}  // namespace
}  // namespace ostrel::test
