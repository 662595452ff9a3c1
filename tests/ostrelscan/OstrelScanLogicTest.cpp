// ostrelscan's logic without Windows: clamd's answers, the scanner profiles'
// reports, the settings, and its report read back by the plug-in's own parser.
#include "ClamdReply.h"
#include "Options.h"
#include "Profiles.h"
#include "ReportText.h"
#include "base/AnsiString.h"
#include "common/AvReport.h"
#include "scanner/ScanReport.h"
#include "support/ResultPrinters.h"

#include <gtest/gtest.h>

namespace ostrel::ostrelscan {
namespace {

using namespace std::string_literals;
using Kind = Verdict::Kind;

// Answers captured from Debian 12's clamd 1.4.6 (zINSTREAM over TCP), with a
// database of the test's own: an .ndb body signature and an .hdb of EICAR.
TEST(ClamdReply, AnswersOfTheRealDaemon)
{
    EXPECT_EQ(ParseClamdReply("stream: OK\0"s).kind, Kind::clean);

    const Verdict found = ParseClamdReply("stream: Eicar-Test-Signature.UNOFFICIAL FOUND\0"s);
    EXPECT_EQ(found.kind, Kind::infected);
    EXPECT_EQ(found.name, "Eicar-Test-Signature.UNOFFICIAL");

    const Verdict limit = ParseClamdReply("INSTREAM size limit exceeded. ERROR\0"s);
    EXPECT_EQ(limit.kind, Kind::error);
    EXPECT_NE(limit.reason.find("size limit exceeded"), std::string::npos) << limit.reason;

    // With AlertEncrypted yes in clamd.conf, for a zip made with zip -P.
    const Verdict encrypted = ParseClamdReply("stream: Heuristics.Encrypted.Zip FOUND\0"s);
    EXPECT_EQ(encrypted.kind, Kind::error);
    EXPECT_EQ(encrypted.reason, "clamd could not check the file: it is encrypted (Heuristics.Encrypted.Zip)");

    EXPECT_EQ(ParseClamdReply("UNKNOWN COMMAND\0"s).kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("stream: Can't allocate memory ERROR\0"s).kind, Kind::error);
}

TEST(ClamdReply, MalformedAnswersAreErrors)
{
    // No NUL: clamd closed before it finished, or another protocol answered.
    EXPECT_EQ(ParseClamdReply("stream: OK").kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("stream: OK\n").kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("").kind, Kind::error);
    // A second answer, or bytes after the NUL.
    EXPECT_EQ(ParseClamdReply("stream: OK\0stream: OK\0"s).kind, Kind::error);
    // Other names, or what comes close to OK and FOUND.
    EXPECT_EQ(ParseClamdReply("/tmp/x: OK\0"s).kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("stream: ok\0"s).kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("stream: OK \0"s).kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("stream:  FOUND\0"s).kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("stream: FOUND\0"s).kind, Kind::error);
    EXPECT_EQ(ParseClamdReply("\0"s).kind, Kind::error);
    // A control character in a name never reaches the report as such.
    const Verdict odd = ParseClamdReply("stream: A\rB FOUND\0"s);
    EXPECT_EQ(odd.kind, Kind::infected);
    EXPECT_EQ(odd.name, "A?B");
}

const ScannerProfile& Profile(const char* engine)
{
    const ScannerProfile* profile = FindProfile(engine);
    EXPECT_NE(profile, nullptr) << engine;
    static const ScannerProfile none;
    return profile != nullptr ? *profile : none;
}

// Output captured from Debian 12's clamscan 1.4.6 (--no-summary), standard
// output and error together as ostrelscan captures them.
TEST(ProfileReports, ClamscanAsCaptured)
{
    const ScannerProfile& clamscan = Profile("clamscan");
    EXPECT_EQ(ReadProfileReport(clamscan, 0, "/tmp/h12c/clean file.txt: OK\n").kind, Kind::clean);

    const Verdict found =
        ReadProfileReport(clamscan, 1, "/tmp/h12c/signed.bin: Ostrel.Test.Body.UNOFFICIAL FOUND\n");
    EXPECT_EQ(found.kind, Kind::infected);
    EXPECT_EQ(found.name, "Ostrel.Test.Body.UNOFFICIAL");

    // A file name that itself looks like a find.
    const Verdict tricky = ReadProfileReport(
        clamscan, 1, "/tmp/h12c/att: Trojan FOUND.eml: Eicar-Test-Signature.UNOFFICIAL FOUND\n");
    EXPECT_EQ(tricky.name, "Eicar-Test-Signature.UNOFFICIAL");

    const Verdict missing = ReadProfileReport(
        clamscan, 2,
        "/tmp/h12c/missing.txt: No such file or directory\n"
        "WARNING: /tmp/h12c/missing.txt: Can't access file\n");
    EXPECT_EQ(missing.kind, Kind::error);
    EXPECT_NE(missing.reason.find("exit code 2"), std::string::npos) << missing.reason;

    EXPECT_EQ(ReadProfileReport(clamscan, 2,
                                "LibClamAV Error: Problem parsing database at line 1\n"
                                "LibClamAV Error: Can't load baddb/x.ndb: Malformed database\n"
                                "ERROR: Malformed database\n")
                  .kind,
              Kind::error);
}

// Output captured from Debian 12's clamdscan 1.4.6 (--no-summary --stream).
TEST(ProfileReports, ClamdscanAsCaptured)
{
    const ScannerProfile& clamdscan = Profile("clamdscan");
    const Verdict found =
        ReadProfileReport(clamdscan, 1, "/tmp/h12c/eicar.com: Eicar-Test-Signature.UNOFFICIAL FOUND\n");
    EXPECT_EQ(found.kind, Kind::infected);
    EXPECT_EQ(found.name, "Eicar-Test-Signature.UNOFFICIAL");
    EXPECT_EQ(ReadProfileReport(clamdscan, 0, "/tmp/h12c/clean file.txt: OK\n").kind, Kind::clean);
    EXPECT_EQ(ReadProfileReport(clamdscan, 2,
                                "Failed to parse reply: \"INSTREAM size limit exceeded. ERROR\"\n")
                  .kind,
              Kind::error);
    EXPECT_EQ(ReadProfileReport(clamdscan, 2,
                                "ERROR: Could not connect to clamd on 127.0.0.1: Connection refused\n")
                  .kind,
              Kind::error);
}

// Not captured: Defender does not run here. Written from Microsoft's
// documentation of MpCmdRun.exe (-Scan -ScanType 3 -File, exit code 0 for no
// threats, 2 for threats found and not remediated) and the report layout it
// shows there.
TEST(ProfileReports, DefenderFromItsDocumentation)
{
    const ScannerProfile& defender = Profile("defender");
    EXPECT_EQ(ReadProfileReport(defender, 0,
                                "Scan starting...\r\nScan finished.\r\n"
                                "Scanning C:\\Mail\\att 1.tmp found no threats.\r\n")
                  .kind,
              Kind::clean);

    const std::string threat =
        "Scan starting...\r\nScan finished.\r\n"
        "Scanning C:\\Mail\\eicar.com found 1 threats.\r\n\r\n"
        "<===========================LIST OF DETECTED THREATS==========================>\r\n"
        "----------------------------- Threat information ------------------------------\r\n"
        "Threat                  : Virus:DOS/EICAR_Test_File\r\n"
        "Resources               : 1 total\r\n"
        "    file                : C:\\Mail\\eicar.com\r\n"
        "-------------------------------------------------------------------------------\r\n";
    const Verdict found = ReadProfileReport(defender, 2, threat);
    EXPECT_EQ(found.kind, Kind::infected);
    EXPECT_EQ(found.name, "Virus:DOS/EICAR_Test_File");

    // A named threat is a find whatever the code; an HRESULT of a failure is not.
    EXPECT_EQ(ReadProfileReport(defender, 0, threat).kind, Kind::infected);
    EXPECT_EQ(ReadProfileReport(defender, 2, "CmdTool: Failed with hr = 0x80508023.\r\n").kind,
              Kind::error);
    const Verdict failed = ReadProfileReport(defender, 0x80508023u, "");
    EXPECT_NE(failed.reason.find("0x80508023"), std::string::npos) << failed.reason;
}

// Transcripts written from what MpCmdRun.exe and clamscan are known to print,
// each read by its lines: the exit code alone never makes a verdict, and an
// error never words itself as a find.
TEST(ProfileReports, TranscriptsReadByWhatTheySay)
{
    const std::string threatList =
        "<===========================LIST OF DETECTED THREATS==========================>\r\n"
        "----------------------------- Threat information ------------------------------\r\n"
        "Threat                  : Virus:DOS/EICAR_Test_File\r\n"
        "Resources               : 2 total\r\n"
        "    containerfile       : C:\\Mail\\att.zip\r\n"
        "    file                : C:\\Mail\\att.zip->eicar.com\r\n"
        "-------------------------------------------------------------------------------\r\n";
    const std::string started = "Scan starting...\r\nScan finished.\r\n";
    struct Case {
        const char* engine;
        uint32_t exitCode;
        std::string output;
        Kind kind;
        const char* expected;  // the name, or a piece of the reason
        bool engineOff;
    };
    const Case cases[] = {
        {"defender", 0, started + "Scanning C:\\Mail\\a.tmp found no threats.\r\n", Kind::clean, "", false},
        {"defender", 2, started + "Scanning C:\\Mail\\a.tmp found no threats.\r\n", Kind::error,
         "code for a threat, but named none", false},
        // An excluded path; the remediated form of a find, without its list.
        {"defender", 0, started + "Scanning C:\\Mail\\a.tmp was skipped.\r\n", Kind::error,
         "\"Scanning C:\\Mail\\a.tmp was skipped.\"", false},
        {"defender", 0, started + "Scanning C:\\Mail\\a.tmp found 1 threats.\r\n", Kind::error,
         "without the line that says the file is clean", false},
        {"defender", 0, started + "Scanning C:\\Mail\\att.zip found 1 threats.\r\n\r\n" + threatList,
         Kind::infected, "Virus:DOS/EICAR_Test_File", false},
        {"defender", 2,
         "CmdTool: Failed with hr = 0x80508023. Check C:\\Users\\u\\AppData\\Local\\Temp\\MpCmdRun.log for "
         "more information\r\n",
         Kind::error, "says the file does not exist: \"CmdTool: Failed with hr = 0x80508023.", false},
        {"defender", 2, "CmdTool: Failed with hr = 0x800106ba. Check C:\\x\\MpCmdRun.log for more information\r\n",
         Kind::error, "says its service is not running", true},
        {"defender", 2,
         "WARN: Product/Feature disabled\r\n[Failed][0x80004005] Unbekannter Fehler\r\n"
         "CmdTool: Failed with hr = 0x80004005. Check C:\\x\\MpCmdRun.log for more information\r\n",
         Kind::error, "says it is switched off", true},
        {"defender", 2,
         "CmdTool: Failed with hr = 0x80070667. Check C:\\x\\MpCmdRun.log for more information\r\n"
         "CmdTool: Invalid command line argument\r\n",
         Kind::error, "says it was given a bad argument", false},
        {"defender", 2, "Something new\r\n-----\r\n", Kind::error, "its last line: \"Something new\"", false},
        {"defender", 0, "", Kind::error, "it printed nothing", false},
        {"clamscan", 0, "", Kind::error, "without the line that says the file is clean", false},
        {"clamscan", 0, "C:\\a.tmp: X.Y FOUND\n", Kind::infected, "X.Y", false},
        {"clamdscan", 1, "C:\\a.tmp: OK\n", Kind::error, "code for a threat, but named none", false},
        // As clamscan 1.4.6 prints them with --alert-encrypted and --alert-exceeds-max.
        {"clamscan", 1, "C:\\a.zip: Heuristics.Encrypted.Zip FOUND\n", Kind::error,
         "ClamAV clamscan could not check the file: it is encrypted (Heuristics.Encrypted.Zip)", false},
        {"clamscan", 1, "C:\\a.pdf: Heuristics.Encrypted.PDF FOUND\n", Kind::error, "it is encrypted", false},
        {"clamscan", 1, "C:\\a.tmp: Heuristics.Limits.Exceeded.MaxFileSize FOUND\n", Kind::error,
         "it is too large or too deeply nested for the engine's limits (Heuristics.Limits.Exceeded.MaxFileSize)",
         false},
        {"clamdscan", 1, "C:\\a.zip: Heuristics.Limits.Exceeded.MaxRecursion FOUND\n", Kind::error,
         "ClamAV clamdscan could not check the file: it is too large", false},
        {"clamscan", 1, "C:\\a.eml: Heuristics.Phishing.Email.SpoofedDomain FOUND\n", Kind::infected,
         "Heuristics.Phishing.Email.SpoofedDomain", false},
    };
    for (const Case& c : cases) {
        const Verdict verdict = ReadProfileReport(Profile(c.engine), c.exitCode, c.output);
        SCOPED_TRACE(std::string(c.engine) + " " + std::to_string(c.exitCode) + ": " + c.output);
        EXPECT_EQ(verdict.kind, c.kind);
        EXPECT_EQ(verdict.engineOff, c.engineOff);
        if (c.kind == Kind::infected) {
            EXPECT_EQ(verdict.name, c.expected);
        } else {
            EXPECT_NE(verdict.reason.find(c.expected), std::string::npos) << verdict.reason;
        }
        // Our own words, before any quoted line of the scanner's, never say "found".
        EXPECT_EQ(AnsiUpperCase(verdict.reason.substr(0, verdict.reason.find('"'))).find("FOUND"),
                  std::string::npos)
            << verdict.reason;
    }
}

TEST(ProfileReports, ProfilesRunWithTheFileQuoted)
{
    EXPECT_EQ(ProfileCommandLine(Profile("clamscan"), "C:\\Program Files\\ClamAV\\clamscan.exe",
                                 "C:\\Mail\\att 1.tmp"),
              "\"C:\\Program Files\\ClamAV\\clamscan.exe\" --no-summary --alert-encrypted=yes "
              "--alert-exceeds-max=yes \"C:\\Mail\\att 1.tmp\"");
    EXPECT_EQ(QuoteArgument("C:\\a.tmp"), "C:\\a.tmp");
    EXPECT_EQ(QuoteArgument(""), "\"\"");
    // Backslashes double only before a quote, the closing one included.
    EXPECT_EQ(QuoteArgument("C:\\dir x\\"), "\"C:\\dir x\\\\\"");
    EXPECT_EQ(QuoteArgument("a\\\"b"), "\"a\\\\\\\"b\"");
    EXPECT_EQ(FindProfile("clamd"), nullptr);
}

TEST(NamePattern, AnchorsAndStars)
{
    EXPECT_EQ(MatchNamePattern("*: {name} FOUND", "  C:\\a: b.eml: X.Y FOUND \r"), "X.Y");
    EXPECT_EQ(MatchNamePattern("*: {name} FOUND", "C:\\a.eml: OK"), std::nullopt);
    EXPECT_EQ(MatchNamePattern("*: {name} FOUND", ": FOUND"), std::nullopt);
    EXPECT_EQ(MatchNamePattern("Threat*: {name}", "Threats: x"), "x");
    EXPECT_EQ(MatchNamePattern("Threat*: {name}", "No Threat : x"), std::nullopt);
    EXPECT_EQ(MatchNamePattern("a*b*: {name}", "a--b--: n"), "n");
    EXPECT_EQ(MatchNamePattern("a*b*: {name}", "a--: n"), std::nullopt);
    EXPECT_EQ(MatchNamePattern("exact {name}", "exact one"), "one");
    // No name; and where a star meets the name, each takes the most it can from the left.
    EXPECT_EQ(MatchNamePattern("*: FOUND", "x: FOUND"), std::nullopt);
    EXPECT_EQ(MatchNamePattern("{name}*", "xy"), "xy");
    EXPECT_EQ(MatchNamePattern("a*{name}", "abc"), "c");
    // A name in quotes among fields, where a member's name in an archive may
    // hold the same words: the engine's own field is the last one.
    EXPECT_EQ(MatchNamePattern("name=\"*\", threat=\"{name}\", action=\"*\", info=\"*\"",
                               "name=\"a.zip \xBB ZIP \xBB x\", threat=\"Win32/Fake\", threat=\"is OK\", "
                               "action=\"\", info=\"\""),
              "is OK");
    // A blank is any run of blanks and tabs; a name of blanks is none.
    EXPECT_EQ(MatchNamePattern("* detected {name}", "12:00:01\tC:\\a b.eml\tdetected\t\tEICAR-Test-File"),
              "EICAR-Test-File");
    EXPECT_EQ(MatchNamePattern("* detected {name}", "12:00:01  C:\\a.eml  detected"), std::nullopt);
    EXPECT_EQ(MatchNamePattern("x:{name}", "x:  \t"), std::nullopt);
    // {file} is the file asked about, exactly; {count} a whole number from 1.
    EXPECT_TRUE(MatchLinePattern("name=\"{file}\", ok", "name=\"C:\\a 1.eml\", ok", "C:\\a 1.eml"));
    EXPECT_FALSE(MatchLinePattern("name=\"{file}\", ok", "name=\"C:\\a 1.eml \xBB ZIP \xBB m\", ok", "C:\\a 1.eml"));
    EXPECT_FALSE(MatchLinePattern("{file}", "", ""));
    EXPECT_TRUE(MatchLinePattern("; Processed objects: {count}", "; Processed objects:\t10"));
    EXPECT_TRUE(MatchLinePattern("; Processed objects: {count}", "; Processed objects: 007"));
    EXPECT_FALSE(MatchLinePattern("; Processed objects: {count}", "; Processed objects: 00"));
    EXPECT_FALSE(MatchLinePattern("; Processed objects: {count}", "; Processed objects: 1x"));

    // Lines without a name: the whole line, stars taking any text or none.
    EXPECT_TRUE(MatchLinePattern("*: OK", " C:\\a: OK.eml: OK \r"));
    EXPECT_FALSE(MatchLinePattern("*: OK", "C:\\a: OK.eml: OKAY"));
    EXPECT_TRUE(MatchLinePattern("Scanning * found no threats.", "Scanning  found no threats."));
    EXPECT_FALSE(MatchLinePattern("Scanning * found no threats.", "Scanning x found no threats. Not."));
    EXPECT_TRUE(MatchLinePattern("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(MatchLinePattern("*a*b*", "xxbxxaxx"));
    EXPECT_TRUE(MatchLinePattern("", " "));
}

TEST(Arguments, ThePluginsDefaultsAndAFileWithBlanks)
{
    const Request check = ParseArguments({"-nomem", "-noboot", "-nombr", "-z", "C:\\Temp\\att", "1.tmp"});
    EXPECT_FALSE(check.cure);
    EXPECT_FALSE(check.german);
    EXPECT_EQ(check.file, "C:\\Temp\\att 1.tmp");

    const Request cure = ParseArguments({"-nomem", "/E", "-DE", "--engine=clamscan",
                                         "--Program=C:\\Program Files\\x.exe", "C:\\a -e.tmp"});
    EXPECT_TRUE(cure.cure);
    EXPECT_TRUE(cure.german);
    EXPECT_EQ(cure.file, "C:\\a -e.tmp");
    ASSERT_EQ(cure.options.size(), 2u);
    EXPECT_EQ(cure.options[1].first, "program");
    EXPECT_EQ(cure.options[1].second, "C:\\Program Files\\x.exe");

    // Switches after the file name are part of it.
    EXPECT_EQ(ParseArguments({"C:\\a.tmp", "-e"}).file, "C:\\a.tmp -e");
    EXPECT_FALSE(ParseArguments({"C:\\a.tmp", "-e"}).cure);
    EXPECT_TRUE(ParseArguments({"/?"}).help);
    EXPECT_EQ(ParseArguments({"-e"}).file, "");
}

TEST(Arguments, TheFileIsTheCommandLinesRestAsWritten)
{
    const struct {
        const char* commandLine;
        std::size_t skipped;
        const char* tail;
    } cases[] = {
        {"ostrelscan.exe -z C:\\t\\two  blanks.eml ", 2, "C:\\t\\two  blanks.eml"},
        {"\"C:\\Program Files\\o\\ostrelscan.exe\" -z \"C:\\t\\a  b.eml\"", 2, "C:\\t\\a  b.eml"},
        {"\"C:\\x\\\" -z \t--program=\"C:\\a b\\c.exe\" \"--x=\\\" y\" C:\\f", 4, "C:\\f"},
        {"o.exe -z", 2, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandLineTail(c.commandLine, c.skipped), c.tail) << c.commandLine;
    }
}

TEST(Settings, DefaultsIniAndCommandLine)
{
    Settings settings;
    EXPECT_EQ(settings.engine, "auto");
    EXPECT_EQ(settings.address, "127.0.0.1:3310");
    EXPECT_EQ(settings.timeoutSeconds, 10);

    EXPECT_TRUE(ReadIni("; comment\r\n[other]\r\nengine=nonsense\r\n[OstrelScan]\r\n"
                        "Engine = clamdscan\r\nprogram=\"C:\\Program Files\\ClamAV\\clamdscan.exe\"\r\n"
                        "timeout=5\r\n",
                        settings)
                    .empty());
    EXPECT_EQ(settings.engine, "clamdscan");
    EXPECT_EQ(settings.program, "C:\\Program Files\\ClamAV\\clamdscan.exe");
    EXPECT_EQ(settings.timeoutSeconds, 5);
    // The command line is applied after the file and wins.
    EXPECT_EQ(ApplySetting(settings, "engine", "CLAMD"), "");
    EXPECT_EQ(settings.engine, "clamd");
    EXPECT_FALSE(settings.addressNamed);
    EXPECT_EQ(ApplySetting(settings, "address", "[::1]:3311"), "");
    EXPECT_TRUE(settings.addressNamed);
    EXPECT_EQ(ApplySetting(settings, "program", "\\\\server\\share\\clamscan.exe"), "");
}

TEST(Settings, FaultsAreReportedAndChangeNothing)
{
    Settings settings;
    const std::vector<std::string> faults =
        ReadIni("adress=1.2.3.4:5\nengine=avast\ntimeout=0\ntimeout=ten\naddress=host\n"
                "address=host:70000\nno equals sign\n"
                "program=clamscan.exe\nprogram=\\ClamAV\\clamscan.exe\nprogram=C:clamscan.exe\n[broken\n"
                "[ostrelscan]\nprogram=C:\\ClamAV\\clamscan.cmd\n",
                settings);
    ASSERT_EQ(faults.size(), 12u);
    EXPECT_EQ(faults[0], "ostrelscan.ini line 1: unknown setting \"adress\"");
    EXPECT_NE(faults[7].find("\"clamscan.exe\" is not a full path"), std::string::npos) << faults[7];
    EXPECT_EQ(faults[11].rfind("ostrelscan.ini line 13: program \"C:\\ClamAV\\clamscan.cmd\" is not a .exe or .com", 0),
              0u)
        << faults[11];
    EXPECT_NE(ApplySetting(settings, "program", "C:\\ClamAV\\clamscan.bat"), "");
    EXPECT_EQ(settings.engine, "auto");
    EXPECT_EQ(settings.address, "127.0.0.1:3310");
    EXPECT_FALSE(settings.addressNamed);
    EXPECT_EQ(settings.program, "");
    EXPECT_EQ(settings.timeoutSeconds, 10);

    EXPECT_FALSE(ParseAddress(":3310"));
    EXPECT_FALSE(ParseAddress("host:"));
    EXPECT_FALSE(ParseAddress("[::1]3310"));
    EXPECT_FALSE(ParseAddress("host:+1"));
    const std::optional<Endpoint> v6 = ParseAddress("[fe80::1]:65535");
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->host, "fe80::1");
    EXPECT_EQ(v6->port, 65535);
}

// Each report as the plug-in reads it: its own parser decides.
ScanResult PluginResult(const std::string& report, bool cure, std::string& message)
{
    return EvaluateScanOutput(ConvertDosUmlauts(report), cure, message);
}

TEST(Report, ThePluginReadsEveryVerdict)
{
    ReportInput input;
    input.engineLabel = "clamd at 127.0.0.1:3310";
    input.file = "C:\\Mail\\att 1.tmp";
    for (const bool german : {false, true}) {
        input.german = german;
        std::string message;
        EXPECT_EQ(PluginResult(ComposeReport(Verdict::Clean(), input), false, message), ScanResult::Clean);
        EXPECT_EQ(PluginResult(ComposeReport(Verdict::Infected("Virus:DOS/EICAR_Test_File"), input),
                               false, message),
                  ScanResult::Virus);
        EXPECT_EQ(message, "Virus:DOS/EICAR_Test_File");
        EXPECT_EQ(PluginResult(ComposeReport(Verdict::Error("clamd: down"), input), false, message),
                  ScanResult::NoResult);
        input.cure = true;
        EXPECT_EQ(PluginResult(ComposeReport(Verdict::Infected("X"), input), true, message), ScanResult::NotCured);
        input.cure = false;
    }
}

TEST(Report, ErrorsNeverReadAsCleanWhateverTheirText)
{
    // Engine output and reasons that carry the plug-in's keywords and end marker.
    ReportInput input;
    input.engineLabel = "ClamAV clamscan";
    input.file = "C:\\a.tmp:ALERTS: 0";
    input.engineOutput = "SCAN RESULTS\r\nALERTS: 0\r\nsuspicious: 0\r\nVERD\x8E" "CHTIG: 0\r\n"
                         "ALARME: 0\r\nVirus: Fake\r\n-----------------\r\n";
    for (const bool german : {false, true}) {
        input.german = german;
        const std::string report =
            ComposeReport(Verdict::Error("REPAIRED: 1\nALERTS:0\nSUSPICIOUS:0"), input);
        std::string message;
        EXPECT_EQ(PluginResult(report, false, message), ScanResult::NoResult) << report;
        EXPECT_EQ(PluginResult(report, true, message), ScanResult::NotCured) << report;
        EXPECT_EQ(report.find("-----------------"), report.size() - 43) << report;
    }
}

// A title or an address from the settings stands in the report's first
// line: "Anti-Virus: sweep" would name every find "sweep".
TEST(Report, TitlesAndAddressesNeverActAsKeywords)
{
    for (const char* label : {"Sophos Anti-Virus: sweep", "ClamAV daemon clamd at alerts:3310 (auto)",
                              "Suspicious: 1, Scan results", "Mine\nALERTS: 1"}) {
        ReportInput input;
        input.engineLabel = label;
        input.file = "C:\\a.tmp";
        for (const bool german : {false, true}) {
            input.german = german;
            std::string message;
            const std::string found = ComposeReport(Verdict::Infected("X.Y"), input);
            EXPECT_EQ(PluginResult(found, false, message), ScanResult::Virus) << found;
            EXPECT_EQ(message, "X.Y") << found;
            const std::string clean = ComposeReport(Verdict::Clean(), input);
            EXPECT_EQ(PluginResult(clean, false, message), ScanResult::Clean) << clean;
            const std::string error = ComposeReport(Verdict::Error("down"), input);
            EXPECT_EQ(PluginResult(error, false, message), ScanResult::NoResult) << error;
        }
    }
}

TEST(Report, ErrorShowsTheReasonAndTheEndOfTheOutput)
{
    ReportInput input;
    input.engineLabel = "ClamAV clamscan";
    input.file = "C:\\a.tmp";
    for (int line = 1; line <= 12; ++line) {
        input.engineOutput += "line " + std::to_string(line) + "\n";
    }
    const std::string report = ComposeReport(Verdict::Error("first\nsecond"), input);
    EXPECT_EQ(report,
              "ostrelscan: ClamAV clamscan\r\n"
              "Scanning: C:\\a.tmp\r\n"
              "ERROR: first\r\n"
              "  second\r\n"
              "  | line 5\r\n  | line 6\r\n  | line 7\r\n  | line 8\r\n"
              "  | line 9\r\n  | line 10\r\n  | line 11\r\n  | line 12\r\n"
              "-----------------------------------------\r\n");
}

TEST(Report, DefangKeepsOrdinaryTextAndBreaksKeywords)
{
    EXPECT_EQ(tools::Defang("C:\\Mail\\att 1.tmp - found no threats"),
              "C:\\Mail\\att 1.tmp - found no threats");
    EXPECT_EQ(tools::Defang("virus: alerts: Scan Results ---- x"),
              "virus : alerts : Scan  Results -- x");
    // The DOS and the ANSI umlaut, in both cases.
    EXPECT_EQ(tools::Defang("verd\x84" "chtig: VERD\xC4" "CHTIG:"),
              "verd\x84" "chtig : VERD\xC4" "CHTIG :");
    EXPECT_EQ(tools::Defang("Virus:DOS/EICAR ALERTS:", true), "Virus:DOS/EICAR ALERTS :");
}

}  // namespace
}  // namespace ostrel::ostrelscan
