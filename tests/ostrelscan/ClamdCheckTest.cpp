// ostrelscan.exe as the plug-in's scanner, asking a real clamd: the built
// Ostrel.bav is loaded and called as the mail client calls it. The daemons
// come from clamd-fixture.sh, started on the Linux side by CTest before
// these tests and stopped after them; OSTREL_CLAMD_FIXTURE names its folder.
#include "EngineStandIns.h"
#include "eicarscan/EicarScan.h"
#include "base/UniqueResource.h"
#include "support/BavhostRun.h"
#include "support/PluginLibrary.h"
#include "support/ProcessList.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <winsock2.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

namespace ostrel::test {
namespace {

struct Fixture {
    std::string folder;
    std::string port;
    std::string hungPort;
    std::string marker;  // bytes the daemons' body signature matches
    std::size_t streamLimit = 0;
};

const Fixture& Daemons()
{
    static const Fixture fixture = [] {
        const char* folder = std::getenv("OSTREL_CLAMD_FIXTURE");
        if (folder == nullptr) {
            throw std::runtime_error("OSTREL_CLAMD_FIXTURE is not set: run these tests through CTest");
        }
        std::ifstream file(std::string(folder) + "\\fixture.txt");
        std::map<std::string, std::string> values;
        for (std::string line; std::getline(file, line);) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) {
                values[line.substr(0, equals)] = line.substr(equals + 1);
            }
        }
        if (values["port"].empty() || values["marker"].empty()) {
            throw std::runtime_error(std::string("no daemon described in ") + folder + "\\fixture.txt");
        }
        return Fixture{folder, values["port"], values["hungport"], values["marker"],
                       static_cast<std::size_t>(std::stoul(values["streamlimit"]))};
    }();
    return fixture;
}

// A loopback port that nothing listens on: bound, read back, released.
std::string UnusedPort()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    closesocket(probe);
    WSACleanup();
    return std::to_string(ntohs(address.sin_port));
}

class OstrelScanWithClamd : public ::testing::Test {
protected:
    void SetUp() override { DeleteMakerKey(); }
    void TearDown() override
    {
        plugin.Unload();
        DeleteMakerKey();
    }

    // ostrelscan.exe beside its own ini in the test's folder, and the plug-in
    // pointed at it with its default parameters (plus -de for German).
    void Start(const std::string& ostrelscanIni, bool german = false)
    {
        const std::string scanner = plugin.File("ostrelscan.exe");
        // The plug-in stops waiting at the end marker: the last round's
        // scanner may still be running from that file.
        ASSERT_TRUE(WaitForChildProcesses("ostrelscan.exe", 20000));
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\ostrelscan.exe").c_str(), scanner.c_str(), FALSE));
        WriteFileBytes(plugin.File("ostrelscan.ini"), ostrelscanIni);
        const std::string language = german ? " -de" : "";
        WriteFileBytes(plugin.IniPath(),
                       "[Data]\r\nAVPExeName=" + scanner +
                           "\r\nAVPScanParam=-nomem -noboot -nombr -z" + language +
                           "\r\nAVPCureParam=-nomem -noboot -nombr -z -e" + language +
                           "\r\nLogging=1\r\nLogAVPOutput=1\r\nLogFileName=" + plugin.File("ostrel.log") +
                           "\r\n");
        plugin.Load();
        ASSERT_EQ(plugin.Call("BAV_Initialize"), 0);
    }
    void StartWithDaemon(bool german = false)
    {
        Start("[ostrelscan]\r\nengine=clamd\r\naddress=127.0.0.1:" + Daemons().port + "\r\n", german);
    }

    std::string Sample(const std::string& name, const std::string& content) const
    {
        const std::string path = plugin.File(name);
        WriteFileBytes(path, content);
        return path;
    }
    int32_t Cure(const std::string& fileName) const
    {
        using CureFunction = int32_t(WINAPI*)(const char*, void*);
        return reinterpret_cast<CureFunction>(
            reinterpret_cast<void (*)()>(plugin.Export("BAV_CureFile")))(fileName.c_str(), nullptr);
    }
    bool LogHas(const std::string& text) const
    {
        return ReadFileBytes(plugin.File("ostrel.log")).find(text) != std::string::npos;
    }
    std::string Log() const { return ReadFileBytes(plugin.File("ostrel.log")); }

    PluginLibrary plugin;
};

TEST_F(OstrelScanWithClamd, VerdictsAndNamesInBothLanguages)
{
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German report" : "English report");
        StartWithDaemon(german);
        const std::string clean = Sample("clean.eml", "Subject: hello\r\n\r\nNothing to see.\r\n");
        // The signature's bytes inside generated ones, in a name with blanks
        // that the plug-in passes unquoted.
        std::string body(4096, '\0');
        for (std::size_t i = 0; i < body.size(); ++i) {
            body[i] = static_cast<char>(i * 7 + 3);
        }
        const std::string signedFile = Sample("att 1.bin", body + Daemons().marker + body);
        const std::string eicar = Sample("eicar.com", eicarscan::TestString());

        char message[1024] = "untouched";
        EXPECT_EQ(plugin.Check(clean.c_str(), message), 0) << Log();
        EXPECT_STREQ(message, "untouched");
        EXPECT_EQ(plugin.Check(signedFile.c_str(), message), 1) << Log();
        EXPECT_STREQ(message, "Ostrel.Test.Body.UNOFFICIAL");
        EXPECT_EQ(plugin.Check(eicar.c_str(), message), 1) << Log();
        EXPECT_STREQ(message, "Eicar-Test-Signature.UNOFFICIAL");

        // Nothing is repaired, and nothing claims it was.
        EXPECT_EQ(Cure(signedFile), -2) << Log();
        EXPECT_EQ(ReadFileBytes(signedFile), body + Daemons().marker + body);
        plugin.Unload();
    }
}

TEST_F(OstrelScanWithClamd, DaemonNotRunningIsAnError)
{
    Start("[ostrelscan]\r\nengine=clamd\r\naddress=127.0.0.1:" + UnusedPort() + "\r\n");
    EXPECT_EQ(plugin.Check(Sample("a.eml", "x").c_str(), nullptr), -3);
    EXPECT_TRUE(LogHas("cannot connect to clamd at 127.0.0.1:")) << Log();
}

// With no engine named, a daemon that takes the connection has answered:
// its silence is an error, and Defender is not asked instead.
TEST_F(OstrelScanWithClamd, HungDaemonFailsWithinOstrelscansTimeout)
{
    const DefenderRecord defender(plugin.Folder());
    Start("[ostrelscan]\r\naddress=127.0.0.1:" + Daemons().hungPort + "\r\ntimeout=2\r\n");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(plugin.Check(Sample("a.eml", "x").c_str(), nullptr), -3);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 6.0) << "the plug-in's own 12-second limit must not be what ends the check";
    EXPECT_TRUE(LogHas("no answer from clamd at 127.0.0.1:" + Daemons().hungPort + " within 2 s")) << Log();
    EXPECT_FALSE(LogHas("MpCmdRun")) << Log();
}

TEST_F(OstrelScanWithClamd, AutoTakesTheNamedDaemonThenDefenderThenNamesWhatItTried)
{
    const std::string eicar = eicarscan::TestString();
    char message[1024] = "";
    {
        SCOPED_TRACE("a named daemon listens");
        const DefenderRecord defender(plugin.Folder());
        Start("[ostrelscan]\r\naddress=127.0.0.1:" + Daemons().port + "\r\n");
        EXPECT_EQ(plugin.Check(Sample("eicar.com", eicar).c_str(), message), 1) << Log();
        EXPECT_STREQ(message, "Eicar-Test-Signature.UNOFFICIAL");
        EXPECT_TRUE(LogHas("ostrelscan: ClamAV daemon clamd at 127.0.0.1:" + Daemons().port + " (auto)"))
            << Log();
        plugin.Unload();
    }
    const std::string closedPort = UnusedPort();
    {
        SCOPED_TRACE("a named daemon is not running: the user's choice, so Defender is not asked");
        const DefenderRecord defender(plugin.Folder());
        Start("[ostrelscan]\r\naddress=127.0.0.1:" + closedPort + "\r\n");
        EXPECT_EQ(plugin.Check(Sample("eicar 2.com", eicar).c_str(), message), -3) << Log();
        EXPECT_TRUE(LogHas("cannot connect to clamd at 127.0.0.1:" + closedPort)) << Log();
        EXPECT_FALSE(LogHas("MpCmdRun")) << Log();
        plugin.Unload();
    }
    {
        SCOPED_TRACE("no daemon named, Defender installed");
        const DefenderRecord defender(plugin.Folder());
        Start("");
        EXPECT_EQ(plugin.Check(Sample("clean.eml", "Subject: hi\r\n\r\nhello\r\n").c_str(), message), 0)
            << Log();
        EXPECT_EQ(plugin.Check(Sample("eicar 3.com", eicar).c_str(), message), 1) << Log();
        EXPECT_STREQ(message, "Virus:DOS/EICAR_Test_File");
        EXPECT_TRUE(LogHas("ostrelscan: Microsoft Defender MpCmdRun (auto)")) << Log();
        plugin.Unload();
    }
    {
        SCOPED_TRACE("neither");
        Start("");
        EXPECT_EQ(plugin.Check(Sample("eicar 4.com", eicar).c_str(), message), -3) << Log();
        for (const char* tried :
             {"no engine to ask; tried:", "ClamAV daemon clamd: not installed", "Microsoft Defender MpCmdRun: not installed",
              "ClamAV clamscan: not installed"}) {
            EXPECT_TRUE(LogHas(tried)) << tried << "\n" << Log();
        }
    }
}

// On a shared machine anyone may listen on clamd's port: auto asks it only
// where ClamAV's daemon is installed and is the listener there, which Wine,
// naming no listener's process, never shows. A named address is asked.
TEST_F(OstrelScanWithClamd, AutoAsksTheDefaultPortOnlyWhereNamedOrTheInstalledDaemonListens)
{
    const FakeDaemon daemon(3310);  // a Windows program, run from another folder than clamd.exe's
    const std::string eicar = Sample("eicar.com", eicarscan::TestString());
    char message[1024] = "";
    {
        const DefenderRecord defender(plugin.Folder());
        Start("");
        EXPECT_EQ(plugin.Check(eicar.c_str(), message), 1) << Log();
        EXPECT_STREQ(message, "Virus:DOS/EICAR_Test_File");
        EXPECT_EQ(daemon.Accepted(), 0);
        plugin.Unload();

        // The stand-in daemon calls everything clean, so a 0 shows that it answered.
        Start("[ostrelscan]\r\naddress=127.0.0.1:3310\r\n");
        EXPECT_EQ(plugin.Check(eicar.c_str(), message), 0) << Log();
        EXPECT_EQ(daemon.Accepted(), 1);
        plugin.Unload();
    }
    const PlacedFile clamd(ProgramFilesFolder() + "\\ClamAV\\clamd.exe", "installed");
    Start("");
    EXPECT_EQ(plugin.Check(eicar.c_str(), message), -3) << Log();
    EXPECT_EQ(daemon.Accepted(), 1);
    EXPECT_TRUE(LogHas("ClamAV daemon clamd at 127.0.0.1:3310: not asking clamd at 127.0.0.1:3310: the system "
                       "names no process for its listener"))
        << Log();
}

// clamd-fixture.sh's "default" daemon listens on 3310 outside Windows: a
// test of its own, as the stand-in above needs that port.
class DefaultPortOutsideWine : public OstrelScanWithClamd {};

TEST_F(DefaultPortOutsideWine, AutoPassesItOverANamedAddressAsksIt)
{
    const std::string eicar = Sample("eicar.com", eicarscan::TestString());
    const PlacedFile clamd(ProgramFilesFolder() + "\\ClamAV\\clamd.exe", "installed");
    Start("");
    EXPECT_EQ(plugin.Check(eicar.c_str(), nullptr), -3) << Log();
    EXPECT_TRUE(LogHas("not asking clamd at 127.0.0.1:3310: the system names no process for its listener")) << Log();
    plugin.Unload();

    char message[1024] = "";
    Start("[ostrelscan]\r\naddress=127.0.0.1:3310\r\n");
    EXPECT_EQ(plugin.Check(eicar.c_str(), message), 1) << Log();
    EXPECT_STREQ(message, "Eicar-Test-Signature.UNOFFICIAL");
}

// ClamAV answers OK for what it could not look into unless asked to alert:
// the daemon alerts as the README asks, clamscan as its row asks. Either
// alert is an error in words, so the mail client keeps the attachment.
TEST_F(OstrelScanWithClamd, EncryptedOrPastTheLimitsIsAnErrorNeverClean)
{
    // A stand-in clamscan takes the file it checks for its script.
    const std::string clamscan = "[ostrelscan]\r\nengine=clamscan\r\nprogram=" + FakeScannerPath() + "\r\n";
    struct Case {
        std::string ini;
        std::string content;
        std::string words;
    };
    const Case cases[] = {
        {"[ostrelscan]\r\naddress=127.0.0.1:" + Daemons().port + "\r\n",
         ReadFileBytes(Daemons().folder + "\\encrypted.zip"),
         "clamd could not check the file: it is encrypted (Heuristics.Encrypted.Zip)"},
        {clamscan, "out x.zip: Heuristics.Encrypted.Zip FOUND\\n\nexit 1\n",
         "ClamAV clamscan could not check the file: it is encrypted (Heuristics.Encrypted.Zip)"},
        {clamscan, "out x.zip: Heuristics.Limits.Exceeded.MaxScanSize FOUND\\n\nexit 1\n",
         "ClamAV clamscan could not check the file: it is too large or too deeply nested for the engine's limits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        Start(c.ini);
        char message[1024] = "untouched";
        EXPECT_EQ(plugin.Check(Sample("att.zip", c.content).c_str(), message), -3) << Log();
        EXPECT_STREQ(message, "untouched");
        EXPECT_TRUE(LogHas(c.words)) << Log();
        plugin.Unload();
    }
}

// A title from the settings stands in the report's first line, where
// "Anti-Virus: sweep" would have named every find "sweep".
TEST_F(OstrelScanWithClamd, ATitleHoldingAKeywordNamesNothing)
{
    Start("[ostrelscan]\r\nengine=sweep\r\n[engine sweep]\r\ntitle=Sophos Anti-Virus: sweep\r\nprogram=" +
          FakeScannerPath() +
          "\r\narguments={file}\r\nclean=0\r\nfound=3\r\nname=*: {name} FOUND\r\nclean_line=*: OK\r\n");
    char message[1024] = "";
    EXPECT_EQ(plugin.Check(Sample("att.eml", "out x: EICAR-AV-Test FOUND\\r\\n\nexit 3\n").c_str(), message), 1)
        << Log();
    EXPECT_STREQ(message, "EICAR-AV-Test");
}

// The plug-in quotes a name only where it holds a blank; ostrelscan quotes
// it for the engine, which gets it as one argument however it is spelt. Quotes of the
// row's own around {file} would split a name with a blank in two.
TEST_F(OstrelScanWithClamd, EveryFileNameReachesTheEngineAsOneArgument)
{
    const ScannerScript script(plugin.Folder(), "engine");
    script.Write("out x: OK\\r\\n\nexit 0\n");
    const auto row = [&](const std::string& file) {
        return "[ostrelscan]\r\nengine=fake\r\n[engine fake]\r\nprogram=" + FakeScannerPath() + "\r\narguments=" +
               script.Parameters() + " " + file + "\r\nclean=0\r\nfound=1\r\nname=*: {name} FOUND\r\n"
               "clean_line=*: OK\r\n";
    };
    Start(row("\"{file}\""));
    EXPECT_EQ(plugin.Check(Sample("att 1.eml", "x").c_str(), nullptr), -3) << Log();
    EXPECT_TRUE(LogHas("ostrelscan.ini line 5: [engine fake]: arguments \"" + script.Parameters() +
                       " \"{file}\"\" puts {file} in quotes"))
        << Log();
    plugin.Unload();

    Start(row("{file}"));
    for (const char* name : {"att 1.eml", "two  blanks.eml", "a&calc&.eml", "100%^ d'or %PATH%.eml", "-e -de.eml"}) {
        SCOPED_TRACE(name);
        const std::string file = Sample(name, "Subject: hi\r\n\r\nhello\r\n");
        EXPECT_EQ(plugin.Check(file.c_str(), nullptr), 0) << Log();
        const std::vector<std::string> arguments = script.RecordedArguments();
        ASSERT_EQ(arguments.size(), 5u) << script.RecordedCommandLine();
        EXPECT_EQ(arguments.back(), file) << script.RecordedCommandLine();
    }
}

// Where a standard user can create Defender's platform folder, a program
// planted in a higher-named version folder must never run.
TEST_F(OstrelScanWithClamd, DefenderRunsOnlyWhereItsRecordSays)
{
    const std::string platform = ProgramDataFolder() + "\\Microsoft\\Windows Defender\\Platform\\99.9.9999.9-0";
    const PlacedFile planted(platform + "\\MpCmdRun.exe", MpCmdRunStandIn());
    const PlacedFile plantedSays(platform + "\\transcript.txt", "0\r\nScanning it found no threats.\r\n");
    const std::string eicar = Sample("eicar.com", eicarscan::TestString());
    char message[1024] = "";
    {
        const DefenderRecord defender(plugin.Folder());
        Start("");
        EXPECT_EQ(plugin.Check(eicar.c_str(), message), 1) << Log();
        EXPECT_STREQ(message, "Virus:DOS/EICAR_Test_File");
        plugin.Unload();
    }
    Start("");
    EXPECT_EQ(plugin.Check(eicar.c_str(), message), -3) << Log();
    EXPECT_TRUE(LogHas("Microsoft Defender MpCmdRun: not installed")) << Log();
}

TEST_F(OstrelScanWithClamd, SwitchedOffDefenderIsPassedOverByAutoOnly)
{
    const DefenderRecord defender(plugin.Folder(),
                                  "2\r\nWARN: Product/Feature disabled\r\n[Failed][0x80004005] Unspecified error\r\n"
                                  "CmdTool: Failed with hr = 0x80004005. Check C:\\x\\MpCmdRun.log for more "
                                  "information\r\n");
    const std::string clean = Sample("clean.eml", "Subject: hi\r\n\r\nhello\r\n");
    Start("");
    EXPECT_EQ(plugin.Check(clean.c_str(), nullptr), -3) << Log();
    EXPECT_TRUE(LogHas("no engine to ask; tried:")) << Log();
    EXPECT_TRUE(LogHas("Microsoft Defender MpCmdRun says it is switched off")) << Log();
    plugin.Unload();

    const std::string clamAv = ProgramFilesFolder() + "\\ClamAV\\";
    const PlacedFile clamscan(clamAv + "clamscan.exe", MpCmdRunStandIn());
    const PlacedFile clamscanSays(clamAv + "transcript.txt", "0\r\n" + clean + ": OK\r\n");
    Start("");
    EXPECT_EQ(plugin.Check(clean.c_str(), nullptr), 0) << Log();
    EXPECT_TRUE(LogHas("ostrelscan: ClamAV clamscan (auto)")) << Log();
    plugin.Unload();

    Start("[ostrelscan]\r\nengine=defender\r\n");
    EXPECT_EQ(plugin.Check(clean.c_str(), nullptr), -3) << Log();
    EXPECT_TRUE(LogHas("Microsoft Defender MpCmdRun says it is switched off")) << Log();
}

// What MpCmdRun printed where its exit code alone misled: each an error in
// words, none a verdict.
TEST_F(OstrelScanWithClamd, DefenderFailuresAreErrorsInWords)
{
    const DefenderRecord defender(plugin.Folder());
    const std::string file = Sample("a.eml", "x");
    const std::string started = "Scan starting...\r\nScan finished.\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"0\r\n" + started + "Scanning " + file + " was skipped.\r\n", "was skipped.\""},
        {"0\r\n" + started + "Scanning " + file + " found 1 threats.\r\n", "without the line that says"},
        {"2\r\nCmdTool: Failed with hr = 0x80508023. Check C:\\x\\MpCmdRun.log for more information\r\n",
         "says the file does not exist"},
        {"2\r\nCmdTool: Failed with hr = 0x800106BA. Check C:\\x\\MpCmdRun.log for more information\r\n",
         "says its service is not running"},
        {"2\r\nCmdTool: Failed with hr = 0x80070667. Check C:\\x\\MpCmdRun.log for more information\r\n"
         "CmdTool: Invalid command line argument\r\n",
         "says it was given a bad argument"},
    };
    Start("[ostrelscan]\r\nengine=defender\r\n");
    for (const auto& [transcript, words] : cases) {
        defender.Say(transcript);
        EXPECT_EQ(plugin.Check(file.c_str(), nullptr), -3) << transcript << Log();
        EXPECT_TRUE(LogHas(words)) << words << "\n" << Log();
    }
}

TEST_F(OstrelScanWithClamd, SelftestNamesTheDaemonThatAnswered)
{
    Start("[ostrelscan]\r\naddress=127.0.0.1:" + Daemons().port + "\r\n");
    plugin.Unload();
    const HostRun run = RunBavhost("Ostrel.bav selftest", plugin.Folder().Path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Engine: ostrelscan: ClamAV daemon clamd at 127.0.0.1:" + Daemons().port + " (auto)"),
              std::string::npos)
        << run.output;
}

// A new user's first try, with no engine on the machine and no log:
// selftest says why in the same run.
TEST_F(OstrelScanWithClamd, SelftestShowsTheScannersReasonWithoutALog)
{
    Start("");
    plugin.Unload();
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + plugin.File("ostrelscan.exe") +
                                         "\r\nAVPScanParam=-nomem -noboot -nombr -z\r\n");
    const HostRun run = RunBavhost("Ostrel.bav selftest", plugin.Folder().Path());
    EXPECT_NE(run.exitCode, 0u) << run.output;
    for (const char* text : {"The scanner once more, as the plug-in ran it:", "ERROR: no engine to ask; tried:",
                             "Microsoft Defender MpCmdRun: not installed"}) {
        EXPECT_NE(run.output.find(text), std::string::npos) << text << "\n" << run.output;
    }
}

TEST_F(OstrelScanWithClamd, FileOverTheStreamLimitIsAnError)
{
    StartWithDaemon();
    const std::string big = Sample("big.bin", std::string(Daemons().streamLimit + 300000, 'b'));
    EXPECT_EQ(plugin.Check(big.c_str(), nullptr), -3);
    // Either clamd's answer arrived, or the connection it closed.
    EXPECT_TRUE(LogHas("size limit exceeded") || LogHas("lost the connection")) << Log();
}

TEST_F(OstrelScanWithClamd, MissingLockedOrUnfindableFilesAreErrors)
{
    StartWithDaemon();
    EXPECT_EQ(plugin.Check(plugin.File("nothere.eml").c_str(), nullptr), -3);
    EXPECT_TRUE(LogHas("cannot open " + plugin.File("nothere.eml"))) << Log();
    EXPECT_TRUE(LogHas("Real-time protection (Microsoft Defender, say) may have removed or locked it.")) << Log();

    const std::string locked = Sample("locked.eml", eicarscan::TestString());
    {
        const UniqueFile holder(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_EQ(plugin.Check(locked.c_str(), nullptr), -3);
    }
    EXPECT_EQ(plugin.Check(locked.c_str(), nullptr), 1) << "once released, the same file is found";
}

TEST_F(OstrelScanWithClamd, BadSettingsAreErrorsNamedInTheLog)
{
    Start("[ostrelscan]\r\nengine=clamd\r\ntimeout=soon\r\n");
    EXPECT_EQ(plugin.Check(Sample("a.eml", "x").c_str(), nullptr), -3);
    EXPECT_TRUE(LogHas("ostrelscan.ini line 3: timeout \"soon\"")) << Log();
    plugin.Unload();

    Start("[ostrelscan]\r\nengine=clamscan\r\nprogram=" + plugin.File("no-clamscan.exe") + "\r\n");
    EXPECT_EQ(plugin.Check(Sample("b.eml", "x").c_str(), nullptr), -3);
    EXPECT_TRUE(LogHas("cannot start " + plugin.File("no-clamscan.exe"))) << Log();
}

}  // namespace
}  // namespace ostrel::test
