// bavhost.exe run as a user runs it, against a copy of the plug-in whose
// scanner is the fake scanner: its printed answers and its exit codes.
#include "support/BavhostRun.h"
#include "support/PluginLibrary.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

namespace ostrel::test {
namespace {

const std::string VirusReport =
    "out   VIRUS: Eicar-Test-Signature\\r\\nSCAN RESULTS\\r\\nALERTS: 1\\r\\nSUSPICIOUS: 0\\r\\n\n";
const std::string CleanReport = "out SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n";

class Bavhost : public ::testing::Test {
protected:
    void SetUp() override { DeleteMakerKey(); }
    void TearDown() override { DeleteMakerKey(); }

    // The plug-in checks with the script of `check`, cures with that of `cure`.
    void Configure(const std::string& checkScript, const std::string& cureScript = CleanReport,
                   const std::string& extraSettings = "")
    {
        check.Write(checkScript);
        cure.Write(cureScript);
        WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + FakeScannerPath() +
                                             "\r\nAVPScanParam=" + check.Parameters() +
                                             "\r\nAVPCureParam=" + cure.Parameters() + "\r\n" +
                                             extraSettings);
    }
    HostRun Run(const std::string& arguments) const
    {
        return RunBavhost("Ostrel.bav " + arguments, plugin.Folder().Path());
    }
    bool Ran(const std::string& scriptName) const { return PathExists(plugin.File(scriptName + ".cmd")); }

    PluginLibrary plugin;  // a copy of the plug-in, not loaded here
    ScannerScript check{plugin.Folder(), "check"};
    ScannerScript cure{plugin.Folder(), "cure"};
};

TEST_F(Bavhost, CheckNamesTheFindingAndExitsByTheWorstFile)
{
    Configure(VirusReport);
    HostRun run = Run("check a.tmp");
    EXPECT_EQ(run.output, "a.tmp: 1 (virus found) [Eicar-Test-Signature]\r\n");
    EXPECT_EQ(run.exitCode, 1u);

    Configure(CleanReport);
    run = Run("check a.tmp b.tmp");
    EXPECT_EQ(run.output, "a.tmp: 0 (OK: nothing found)\r\nb.tmp: 0 (OK: nothing found)\r\n");
    EXPECT_EQ(run.exitCode, 0u);
}

TEST_F(Bavhost, CureSaysCuredCouldNotBeCuredOrNothingToCure)
{
    Configure(VirusReport, "out SCAN RESULTS\\r\\nALERTS: 1\\r\\nREPAIRED: 1\\r\\n\n");
    HostRun run = Run("cure a.tmp");
    EXPECT_EQ(run.output, "a.tmp: 0 (cured) [Eicar-Test-Signature]\r\n");
    EXPECT_EQ(run.exitCode, 0u);

    Configure(VirusReport, "out SCAN RESULTS\\r\\nALERTS: 1\\r\\nREPAIRED: 0\\r\\n\n");
    run = Run("cure a.tmp");
    EXPECT_EQ(run.output, "a.tmp: -2 (could not be cured) [Eicar-Test-Signature]\r\n");
    EXPECT_EQ(run.exitCode, 5u);

    // The plug-in would answer -2 for a clean file, so it is not asked.
    DeleteFileA(plugin.File("cure.cmd").c_str());
    Configure(CleanReport);
    run = Run("cure a.tmp");
    EXPECT_EQ(run.output, "a.tmp: 0 (nothing to cure)\r\n");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(Ran("cure"));

    // A check that failed is not followed by a cure, and its error stands.
    Configure("out no report\\r\\n\n");
    run = Run("cure a.tmp");
    EXPECT_EQ(run.output.rfind("a.tmp: -3 (error)\r\n", 0), 0u) << run.output;
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_FALSE(Ran("cure"));
}

TEST_F(Bavhost, DisabledCheckingIsNotReportedAsClean)
{
    Configure(VirusReport, CleanReport, "Disabled=1\r\n");
    HostRun run = Run("check a.tmp");
    EXPECT_EQ(run.output, "a.tmp: 0 (not checked: checking is disabled)\r\n");
    EXPECT_EQ(run.exitCode, 0u);
    run = Run("cure a.tmp");
    EXPECT_EQ(run.output, "a.tmp: 0 (not cured: checking is disabled)\r\n");
    EXPECT_FALSE(Ran("check"));

    run = Run("info");
    EXPECT_NE(run.output.find("Name: Ostrel [Disabled]\r\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Checking: disabled"), std::string::npos) << run.output;
}

TEST_F(Bavhost, InfoExplainsStatusAndCapabilities)
{
    Configure(CleanReport);
    HostRun run = Run("info");
    EXPECT_EQ(run.exitCode, 0u);
    for (const char* line : {"Status: 0 (ready)\r\n", "Settings: " /* the ini beside the plug-in */,
                             "Log: off\r\n", "ComNeeded: -3 (no: the plug-in needs no COM)\r\n",
                             "FileChecking: 0 (yes: the plug-in checks files)\r\n",
                             "StreamChecking: -1 (no: the plug-in does not check streams)\r\n"}) {
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
    }
    EXPECT_NE(run.output.find(plugin.IniPath()), std::string::npos) << run.output;

    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=\r\n");
    run = Run("info");
    EXPECT_NE(run.output.find("Status: -1 (not configured: set AVPExeName and AVPScanParam)"),
              std::string::npos)
        << run.output;
}

TEST_F(Bavhost, AnErrorPointsToTheLogOrHowToSwitchItOn)
{
    const std::string missing = "[Data]\r\nAVPExeName=" + plugin.File("nothere.exe") + "\r\n";
    WriteFileBytes(plugin.IniPath(), missing);
    HostRun run = Run("check a.tmp");
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_EQ(run.output.substr(0, 22), "a.tmp: -3 (error)\r\nLog") << run.output;
    EXPECT_NE(run.output.find("Logging is off"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("in " + plugin.IniPath()), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Logging=1"), std::string::npos) << run.output;

    const std::string log = plugin.File("ostrel.log");
    WriteFileBytes(plugin.IniPath(), missing + "Logging=1\r\nLogFileName=" + log + "\r\n");
    run = Run("check a.tmp");
    EXPECT_NE(run.output.find("The plug-in's log tells why: " + log + "\r\n"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("LogAVPOutput=1 and MaxLogLevel=2"), std::string::npos) << run.output;

    // Not configured: the plug-in writes no log, so the advice is the settings.
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=\r\n");
    run = Run("check a.tmp");
    EXPECT_NE(run.output.find("not configured and writes no log: set AVPExeName and AVPScanParam"),
              std::string::npos)
        << run.output;
}

TEST_F(Bavhost, SelftestProvesTheChainWithTheEicarTestScanner)
{
    const std::string log = plugin.File("ostrel.log");
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + ProgramFolder() +
                                         "\\eicarscan.exe\r\nLogging=1\r\nLogAVPOutput=1\r\nLogFileName=" + log +
                                         "\r\n");
    const HostRun run = Run("selftest");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    for (const char* line : {"Settings: ", "Scanner: ", "Clean test file: 0 (OK: nothing found), ",
                             "EICAR test file: 1 (virus found) [", "Engine: EICAR test scanner",
                             "The chain works: the clean file passed and the EICAR test file was found."}) {
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
    }
    EXPECT_FALSE(ChainTestFolderLeft());
}

// Each broken chain has its own exit code and verdict.
TEST_F(Bavhost, SelftestNamesWhatIsBroken)
{
    const std::string logging = "Logging=1\r\nLogFileName=" + plugin.File("ostrel.log") + "\r\n";
    const std::string batch = plugin.File("scan.bat");
    WriteFileBytes(batch, "@echo SCAN RESULTS\r\n");
    struct Case {
        const char* what;
        std::string script;  // empty: the settings alone are the case
        std::string settings;
        unsigned long exitCode;
        std::string says;
    };
    const Case cases[] = {
        {"not configured", "", "[Data]\r\nAVPExeName=\r\n", 8, "Not configured"},
        {"scanner missing", "", "[Data]\r\nAVPExeName=" + plugin.File("nothere.exe") + "\r\n", 9,
         "The scanner is missing"},
        {"no verdict", "out nothing a plug-in reads\\r\\n\n", logging, 10, "The end of the log ("},
        {"a batch file", "", "[Data]\r\nAVPExeName=" + batch + "\r\nAVPScanParam=-z\r\n" + logging, 10,
         "The scanner is not run again: \"" + batch + "\" is not a program"},
        {"EICAR missed", CleanReport, "", 11, "EICAR not found"},
        {"taken by real-time protection", "quarantine-if EICAR-STANDARD\n" + CleanReport, "", 7,
         "taken by real-time protection before the check"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.script.empty()) {
            WriteFileBytes(plugin.IniPath(), c.settings);
        } else {
            Configure(c.script, CleanReport, c.settings);
        }
        const HostRun run = Run("selftest");
        EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
        EXPECT_FALSE(ChainTestFolderLeft());
    }
}

TEST_F(Bavhost, UsageIsCheckedBeforeThePluginIsCalled)
{
    HostRun run = RunBavhost("--help", plugin.Folder().Path());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.output.find("Exit codes:"), std::string::npos) << run.output;
    EXPECT_EQ(Run("--help").output, run.output);
    EXPECT_EQ(RunBavhost("missing.bav --help", plugin.Folder().Path()).exitCode, 0u);

    // With logging on, a plug-in that was initialized leaves its start lines.
    Configure(CleanReport, CleanReport, "Logging=1\r\nLogFileName=" + plugin.File("ostrel.log") + "\r\n");
    run = Run("check a.tmp \"\"");
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find("a file name is empty"), std::string::npos) << run.output;
    EXPECT_FALSE(PathExists(plugin.File("ostrel.log")));
    EXPECT_FALSE(Ran("check"));

    EXPECT_EQ(RunBavhost("", plugin.Folder().Path()).exitCode, 2u);
    EXPECT_EQ(Run("scan a.tmp").exitCode, 2u);
    EXPECT_EQ(RunBavhost("nothere.bav info", plugin.Folder().Path()).exitCode, 3u);
}

}  // namespace
}  // namespace ostrel::test
