// A scanner of the user's own, defined in ostrelscan.ini beside a real
// ostrelscan.exe, played by the suite's fake scanner with exit codes of
// its own: 0 clean, 5 found.
#include "ChildProcess.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>

namespace ostrel::ostrelscan {
namespace {

using test::FakeScannerPath;

class UserEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileA((test::ProgramFolder() + "\\ostrelscan.exe").c_str(), scanner.c_str(), FALSE));
        test::WriteFileBytes(mail, "Subject: hi\r\n\r\nhello\r\n");
    }

    void WriteIni(const std::string& found = "5")
    {
        test::WriteFileBytes(folder.File("ostrelscan.ini"),
                             // program= is for the built-in engines: the row's own wins.
                             "[ostrelscan]\r\nengine=fake\r\ntimeout=2\r\nprogram=C:\\nothere.exe\r\n"
                             "[engine fake]\r\nprogram=" + FakeScannerPath() + "\r\n"
                             "arguments=" + script.Parameters() + " {file}\r\n"
                             "clean=0\r\nfound=" + found + "\r\nname=*: {name} FOUND\r\nclean_line=*: OK\r\n");
    }

    // In the test's folder, as the mail client's current folder.
    ChildRun Run(const std::string& arguments) const
    {
        return RunHidden(scanner, "ostrelscan " + arguments, 20000, kKeptEngineOutput, folder.Path());
    }

    test::TempDir folder;
    test::ScannerScript script{folder};
    std::string scanner = folder.File("ostrelscan.exe");
    std::string mail = folder.File("att 1.eml");
};

TEST_F(UserEngine, VerdictsByTheRowsRules)
{
    struct Case {
        const char* what;
        std::string script;
        uint32_t exitCode;  // ostrelscan's: 0 clean, 1 found, 2 no verdict
        std::string inReport;
    };
    const Case cases[] = {
        {"clean", "out x.eml: OK\\r\\n\nexit 0\n", 0, "ostrelscan: fake\r\n"},
        {"found with its name", "out x.eml: Fake.Test FOUND\\r\\n\nexit 5\n", 1, "Fake.Test"},
        {"a found code without a name", "out x.eml: damaged\\r\\n\nexit 5\n", 2, "x.eml: damaged"},
        {"no clean line", "out x.eml: skipped\\r\\n\nexit 0\n", 2, "x.eml: skipped"},
        {"hung", "out x.eml: OK\\r\\n\nhang\n", 2, "did not end within 2 s"},
        // The dropped part might have named a threat.
        {"2 MiB after the clean line", "out x.eml: OK\\r\\n\nflood 2097152\nexit 0\n", 2,
         "fake printed more than 1 MiB, and the rest was not read, so its report cannot say clean"},
    };
    WriteIni();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        script.Write(c.script);
        const auto start = std::chrono::steady_clock::now();
        const ChildRun run = Run("-nomem -noboot -nombr -z " + mail);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
        EXPECT_NE(run.output.find(c.inReport), std::string::npos) << run.output;
        EXPECT_LT(seconds, 8.0) << "ostrelscan's own time-out ends the hung scanner";
    }
    EXPECT_EQ(script.RecordedArguments().back(), mail) << "the file arrives whole";
}

TEST_F(UserEngine, ABadDefinitionStopsEveryScanAndEnginesNamesIt)
{
    script.Write("touch " + script.MarkerPath() + "\nexit 0\n");
    WriteIni("five");
    const ChildRun scan = Run("--engine=clamscan " + mail);
    EXPECT_EQ(scan.exitCode, 2u) << scan.output;
    EXPECT_NE(scan.output.find("ostrelscan.ini line 9: [engine fake]: found \"five\""), std::string::npos)
        << scan.output;
    EXPECT_FALSE(test::PathExists(script.MarkerPath())) << "no scanner ran";

    const ChildRun listed = Run("--engines");
    EXPECT_EQ(listed.exitCode, 2u) << listed.output;
    EXPECT_NE(listed.output.find("[engine defender]\r\n"), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find("; ostrelscan.ini line 9: [engine fake]"), std::string::npos) << listed.output;

    WriteIni();
    const ChildRun fixed = Run("--engines");
    EXPECT_EQ(fixed.exitCode, 0u) << fixed.output;
    EXPECT_NE(fixed.output.find("[engine fake]\r\ntitle=fake\r\nprogram=" + FakeScannerPath() + "\r\n"),
              std::string::npos)
        << fixed.output;
}

// Windows runs a .bat or .cmd through cmd.exe, where & in a file name
// starts a command: such a program is a fault of its line, and nothing runs.
TEST_F(UserEngine, ABatchFileIsNeverRun)
{
    const std::string bat = folder.File("scan.bat"), cmd = folder.File("scan.cmd");
    for (const std::string& batch : {bat, cmd}) {
        test::WriteFileBytes(batch, "@echo ran> " + script.MarkerPath() + "\r\n");
    }
    const std::string file = folder.File("a&calc&.eml");
    test::WriteFileBytes(file, "x");
    struct Case {
        std::string ini;
        std::string arguments;
        std::string fault;
    };
    const Case cases[] = {
        {"[ostrelscan]\r\nengine=mine\r\n[engine mine]\r\nprogram=" + bat +
             "\r\narguments={file}\r\nclean=0\r\nfound=1\r\nname=*: {name} FOUND\r\n",
         file, "ostrelscan.ini line 4: [engine mine]: program \"" + bat + "\" is not a .exe or .com program"},
        {"[ostrelscan]\r\nengine=clamscan\r\nprogram=" + bat + "\r\n", file,
         "ostrelscan.ini line 3: program \"" + bat + "\" is not a .exe or .com program"},
        {"", "--engine=clamscan --program=" + cmd + " " + file,
         "--program: program \"" + cmd + "\" is not a .exe or .com program"},
    };
    for (const Case& c : cases) {
        test::WriteFileBytes(folder.File("ostrelscan.ini"), c.ini);
        const ChildRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 2u) << run.output;
        EXPECT_NE(run.output.find(c.fault), std::string::npos) << c.fault << "\n" << run.output;
    }
    EXPECT_FALSE(test::PathExists(script.MarkerPath())) << "a batch file ran";
}

// Not in the mail client's current folder (here the test's folder): an
// engine may look for its files beside it.
TEST_F(UserEngine, TheEngineRunsInItsOwnFolder)
{
    const std::string engine = folder.File("engine");
    ASSERT_TRUE(CreateDirectoryA(engine.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(FakeScannerPath().c_str(), (engine + "\\clamscan.exe").c_str(), FALSE));
    // A stand-in clamscan takes the file it checks for its script; named
    // from the current folder, it must reach the engine in its own.
    test::WriteFileBytes(mail, "touch here.txt\nout x.eml: OK\\r\\n\nexit 0\n");
    const ChildRun run = Run("--engine=clamscan --program=" + engine + "\\clamscan.exe att 1.eml");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(test::PathExists(engine + "\\here.txt"));
}

}  // namespace
}  // namespace ostrel::ostrelscan
