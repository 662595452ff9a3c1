// ESET's ecls.exe and Kaspersky's avp.com, played by a stand-in where their
// installers put them, replaying reports that public multi-engine projects
// recorded from the real products, through the real ostrelscan.exe and the
// plug-in. Neither product runs here.
#include "VendorStandIns.h"
#include "settings/RegistryKey.h"
#include "support/BavhostRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace ostrel::test {
namespace {

const std::string kEsetOk = "name=\"{file}\", result=\"is OK\", action=\"\", info=\"\"\r\n";
const std::string kEsetFound = "name=\"{file}\", result=\"Eicar test file\", action=\"\", info=\"\"\r\n";
const std::string kKasperskyFound = "2019-11-21 11:06:56     {file}  detected        EICAR-Test-File\r\n"
                                    "2019-11-21 11:06:56     {file}  skipped\r\n";

class VendorEngines : public ::testing::Test {
protected:
    // The log written since `from`, so a case sees only its own check.
    std::string LogSince(std::size_t from) const { return scan.Log().substr(std::min(from, scan.Log().size())); }

    PluginWithOstrelscan scan;
};

TEST_F(VendorEngines, PublishedReportsAreReadByTheirWords)
{
    struct Case {
        const char* engine;
        const char* what;
        uint32_t exitCode;
        std::string report;
        int32_t answer;        // the plug-in's: 0 clean, 1 found, -3 error
        std::string expected;  // the found name, or words in the log
    };
    // ecls.exe's help gives its codes: 0 no threat, 1 found and cleaned, 10
    // some files not scanned, 50 found, 100 error. IRMA's parser
    // (quarkslab/irma, probe/modules/antivirus/eset_win/eset_win.py) reads
    // threat= where ecls 12.2 writes result=.
    const auto threatSpelling = [](std::string line) { return line.replace(line.find("result="), 6, "threat"); };
    const std::string member =
        "name=\"{file} \xBB ZIP \xBB go/bin/rsrc.exe\", result=\"is OK\", action=\"\", info=\"\"\r\n";
    const std::string unableToOpen = "name=\"{file}\", threat=\"\", action=\"\", info=\"unable to open\"\r\n";
    // Kaspersky Anti-Virus 18 as IRMA recorded it (quarkslab/irma,
    // probe/tests/modules/antivirus/test_kaspersky_win.py): the console
    // wrapped the name, and a run that found nothing to scan.
    const std::string wrapped = "2018-05-23 19:19:55     {file}    detected\r\n\r\nEICAR-Test-File\r\n"
                                "2018-05-23 19:19:59     {file}    skipped\r\n";
    const std::string noObjects =
        "AV bases release date: 2018-05-23 12:37:00 (full)\r\n; --- Settings ---\r\n"
        "; Action on detect:     Disinfect automatically\r\n; Objects to scan:      No objects\r\n"
        "; ------------------\r\n"
        "2018-05-23 19:17:49     Scan_Objects$0135         starting   1%\r\n"
        "2018-05-23 19:17:49     Scan_Objects$0135         completed\r\n"
        "Info: task 'ods' finished, last error code 0\r\n;  --- Statistics ---\r\n"
        "; Processed objects:    0\r\n; Total OK:     0\r\n; Total detected:       0\r\n; Suspicions:   0\r\n"
        "; Total skipped:        0\r\n; Password protected:   0\r\n; Corrupted:    0\r\n; Errors:       0\r\n"
        ";  ------------------\r\n";
    // An archive as CSIRT-SK/viruschecker recorded it (KasperskyTest.kt).
    const std::string archive = "2019-11-21 11:08:55\t{file}\tarchive ZIP\r\n"
                                "2019-11-21 11:08:56\t{file}//go/bin/rsrc.exe\tok\r\n";
    const Case cases[] = {
        {"eset", "clean", 0, EsetReport(kEsetOk, 1, 1, 0), 0, ""},
        {"eset", "clean, threat=", 0, EsetReport(threatSpelling(kEsetOk), 1, 1, 0), 0, ""},
        {"eset", "clean archive", 0, EsetReport(kEsetOk + member, 1, 2, 0), 0, ""},
        {"eset", "found, 50", 50, EsetReport(kEsetFound, 1, 1, 1), 1, "Eicar test file"},
        {"eset", "found, threat=, 1", 1, EsetReport(threatSpelling(kEsetFound), 1, 1, 1), 1, "Eicar test file"},
        {"eset", "found in a member, 50", 50,
         EsetReport(kEsetOk + "name=\"{file} \xBB ZIP \xBB eicar.exe\", result=\"Eicar test file\", action=\"\", "
                              "info=\"\"\r\n",
                    1, 2, 1),
         1, "Eicar test file"},
        {"eset", "unable to open, 10", 10, EsetReport(unableToOpen, 1, 1, 0), -3,
         "ESET ecls says it could not check the file: \"name="},
        {"eset", "unable to open, 0", 0, EsetReport(unableToOpen, 1, 1, 0), -3, "info=\"unable to open\"\""},
        {"eset", "another file's line only", 0,
         EsetReport("name=\"C:\\Mail\\other.eml\", result=\"is OK\", action=\"\", info=\"\"\r\n", 2, 2, 0), -3,
         "without the line that says the file is clean"},
        {"eset", "is OK, 10", 10, EsetReport(kEsetOk, 1, 1, 0), -3, "exit code 10, which is neither"},
        {"eset", "error, 100", 100, "ECLS Command-line scanner, version 12.2.29.0\r\nError: init\r\n", -3,
         "its last line: \"Error: init\""},
        {"kaspersky", "clean, 0", 0, KasperskyReport("2019-11-21 14:53:54\t{file}\tok\r\n", 1, 0), 0, ""},
        {"kaspersky", "clean, 2", 2, KasperskyReport("2019-11-21 14:53:54\t{file}\tok\r\n", 1, 0), 0, ""},
        {"kaspersky", "clean archive", 0,
         KasperskyReport(archive + "2019-11-21 11:09:54\t{file}\tskipped: by type\r\n", 2, 0), 0, ""},
        {"kaspersky", "found, 2", 2, KasperskyReport(kKasperskyFound, 1, 1), 1, "EICAR-Test-File"},
        {"kaspersky", "found, wrapped, 2", 2, KasperskyReport(wrapped, 1, 1), 1, "EICAR-Test-File"},
        {"kaspersky", "found in a member, 3", 3,
         KasperskyReport(archive + "2019-11-21 11:08:56\t{file}//eicar.exe\tdetected\tEICAR-Test-File\r\n"
                                   "2019-11-21 11:08:56\t{file}//eicar.exe\tskipped\r\n",
                         3, 1),
         1, "EICAR-Test-File"},
        {"kaspersky", "found, 0", 0, KasperskyReport(kKasperskyFound, 1, 1), 1, "EICAR-Test-File"},
        {"kaspersky", "No objects, 0", 0, noObjects, -3, "\"; Objects to scan:      No objects\""},
        {"kaspersky", "found counted, no line", 2, KasperskyReport("", 1, 1), -3,
         "its report does not say the file is clean"},
    };
    const InstalledScanner eset(EsetProgram());
    const InstalledScanner kaspersky(KasperskyProgram());
    scan.Start();
    const std::string mail = scan.Sample("att 1.eml", "Subject: hi\r\n\r\nhello\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.engine) + ": " + c.what);
        const std::string engine = c.engine;
        scan.SetOstrelscanIni("[ostrelscan]\r\nengine=" + engine + "\r\n");
        (engine == "eset" ? eset : kaspersky).Say(c.exitCode, c.report);
        const std::size_t logged = scan.Log().size();
        std::string message;
        EXPECT_EQ(scan.Check(mail, message), c.answer) << LogSince(logged);
        if (c.answer == 1) {
            EXPECT_EQ(message, c.expected);
        } else {
            EXPECT_NE(LogSince(logged).find(c.expected), std::string::npos) << c.expected << "\n" << LogSince(logged);
        }
    }
    EXPECT_NE(eset.Runs().find("ecls.exe\" /log-all \"" + mail + "\"\r\n"), std::string::npos) << eset.Runs();
    EXPECT_NE(kaspersky.Runs().find("avp.com\" SCAN \"" + mail + "\" /i0\r\n"), std::string::npos)
        << kaspersky.Runs();
}

// Windows switches Defender off while another antivirus is active: auto
// asks that one first, and starts no MpCmdRun.exe per attachment.
TEST_F(VendorEngines, AutoAsksEsetOrKasperskyBeforeDefender)
{
    struct Case {
        std::string program;
        std::string report;
        std::string label;
    };
    const Case cases[] = {
        {EsetProgram(), EsetReport(kEsetFound, 1, 1, 1), "ostrelscan: ESET ecls (auto)"},
        {KasperskyProgram(), KasperskyReport(kKasperskyFound, 1, 1), "ostrelscan: Kaspersky avp.com (auto)"},
    };
    const std::string switchedOff = "2\r\nWARN: Product/Feature disabled\r\n"
                                    "CmdTool: Failed with hr = 0x80004005. Check C:\\x\\MpCmdRun.log\r\n";
    for (const Case& c : cases) {
        for (const bool defenderRecorded : {false, true}) {
            SCOPED_TRACE(c.label + (defenderRecorded ? ", Defender recorded and switched off" : ""));
            const InstalledScanner vendor(c.program);
            vendor.Say(50, c.report);
            std::optional<DefenderRecord> defender;
            if (defenderRecorded) {
                defender.emplace(scan.plugin.Folder(), switchedOff);
            }
            scan.Start();
            std::string message;
            EXPECT_EQ(scan.Check(scan.Sample("eicar.com", "X5O!"), message), 1) << scan.Log();
            EXPECT_TRUE(scan.LogHas(c.label)) << scan.Log();
            EXPECT_FALSE(PathExists(scan.plugin.File("Defender platform\\runs.txt"))) << "MpCmdRun.exe ran";
            scan.plugin.Unload();
        }
    }
    {
        SCOPED_TRACE("selftest names the engine that answered");
        const InstalledScanner eset(EsetProgram());
        eset.Say(0, EsetReport(kEsetOk, 1, 1, 0));
        scan.Start();
        scan.plugin.Unload();
        const HostRun run = RunBavhost("Ostrel.bav selftest", scan.plugin.Folder().Path());
        EXPECT_NE(run.output.find("Engine: ostrelscan: ESET ecls (auto)"), std::string::npos) << run.output;
    }
}

// Where the installers say, not where a folder's name suggests: ESET's
// recorded InstallDir wins over its default folder; of two Kaspersky
// folders, the avp.com with the higher version resource.
TEST_F(VendorEngines, ProgramsAreFoundWhereTheInstallersSay)
{
    constexpr char kEsetKey[] = "SOFTWARE\\ESET\\ESET Security\\CurrentVersion\\Info";
    const std::string mail = scan.Sample("a.eml", "x");
    std::string message;
    {
        const InstalledScanner standard(EsetProgram());
        standard.Say(100, "not this one\r\n");
        const InstalledScanner recorded(scan.plugin.File("ESET here\\ecls.exe"));
        recorded.Say(0, EsetReport(kEsetOk, 1, 1, 0));
        {
            std::optional<RegistryKey> key =
                RegistryKey::Open(HKEY_LOCAL_MACHINE, kEsetKey, KEY_SET_VALUE | KEY_WOW64_64KEY, true);
            ASSERT_TRUE(key);
            key->WriteString("InstallDir", scan.plugin.File("ESET here") + "\\");
        }
        scan.Start("[ostrelscan]\r\nengine=eset\r\n");
        EXPECT_EQ(scan.Check(mail, message), 0) << scan.Log();
        RegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\ESET", KEY_WOW64_64KEY);
        scan.plugin.Unload();
    }
    // By name the newest sorts neither first nor last; only its version tells.
    const InstalledScanner old(KasperskyProgram("Kaspersky Total Security 21.2"));
    old.Say(0, "old\r\n");
    const InstalledScanner older(KasperskyProgram("Kaspersky Anti-Virus 20.0"));
    older.Say(0, "older\r\n");
    const InstalledScanner newest(KasperskyProgram("Kaspersky Internet Security 21.3"),
                                  ReadFileBytes(ProgramFolder() + "\\fake_avp.exe"));
    newest.Say(2, KasperskyReport(kKasperskyFound, 1, 1));
    scan.Start("[ostrelscan]\r\nengine=kaspersky\r\n");
    EXPECT_EQ(scan.Check(mail, message), 1) << scan.Log();
    EXPECT_TRUE(old.Runs().empty() && older.Runs().empty());
}

}  // namespace
}  // namespace ostrel::test
