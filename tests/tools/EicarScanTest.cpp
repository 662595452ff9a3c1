#include "eicarscan/EicarScan.h"

#include <gtest/gtest.h>

namespace ostrel::eicarscan {
namespace {

TEST(EicarScanCommandLine, SwitchesThenAFileNameWithBlanks)
{
    const Options options =
        ParseCommandLine("eicarscan -nomem -noboot -nombr -z C:\\Temp\\att 1.tmp  ");
    EXPECT_FALSE(options.cure);
    EXPECT_FALSE(options.german);
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.file, "C:\\Temp\\att 1.tmp");
}

TEST(EicarScanCommandLine, QuotedProgramAndFileName)
{
    const Options options =
        ParseCommandLine("\"C:\\My Tools\\eicarscan.exe\" -E\t/De \"-odd name.tmp\"");
    EXPECT_TRUE(options.cure);
    EXPECT_TRUE(options.german);
    EXPECT_EQ(options.file, "-odd name.tmp");
}

TEST(EicarScanCommandLine, LongSwitchesHelpAndNoFile)
{
    EXPECT_TRUE(ParseCommandLine("eicarscan --german x").german);
    EXPECT_TRUE(ParseCommandLine("eicarscan --help").help);
    EXPECT_TRUE(ParseCommandLine("eicarscan /?").help);
    EXPECT_EQ(ParseCommandLine("eicarscan -e -z   ").file, "");
    EXPECT_EQ(ParseCommandLine("eicarscan").file, "");
    // A name that merely contains a switch-like word stays whole.
    EXPECT_EQ(ParseCommandLine("eicarscan C:\\a -e.tmp").file, "C:\\a -e.tmp");
    EXPECT_FALSE(ParseCommandLine("eicarscan C:\\a -e.tmp").cure);
}

TEST(EicarScanTestString, FoundAnywhereAndRemovedEverywhere)
{
    const std::string test = TestString();
    ASSERT_EQ(test.size(), 68u);
    EXPECT_FALSE(ContainsTestString("clean" + test.substr(1)));
    std::string data = "head" + test + "middle" + test + "tail";
    EXPECT_TRUE(ContainsTestString(data));
    EXPECT_EQ(RemoveTestString(data), 2u);
    EXPECT_EQ(data, "headmiddletail");
    EXPECT_EQ(RemoveTestString(data), 0u);
    EXPECT_EQ(data, "headmiddletail");
}

TEST(EicarScanTestString, RemovalThatJoinsANewOneRemovesThatToo)
{
    const std::string test = TestString();
    std::string data = test.substr(0, 30) + test + test.substr(30) + "!";
    EXPECT_EQ(RemoveTestString(data), 2u);
    EXPECT_EQ(data, "!");

    // Copies nested a thousand deep: each removal joins the next one.
    std::string nested = "<";
    for (int depth = 0; depth < 1000; ++depth) {
        nested += test.substr(0, 34);
    }
    for (int depth = 0; depth < 1000; ++depth) {
        nested += test.substr(34);
    }
    nested += ">";
    EXPECT_EQ(RemoveTestString(nested), 1000u);
    EXPECT_EQ(nested, "<>");
}

TEST(EicarScanReport, EnglishFound)
{
    ScanResult result;
    result.file = "C:\\Temp\\att 1.tmp";
    result.found = true;
    EXPECT_EQ(Report(result, false),
              "EICAR test scanner (not an antivirus; it finds only the EICAR test string)\r\n"
              "Scanning: C:\\Temp\\att 1.tmp\r\n"
              "C:\\Temp\\att 1.tmp\r\n"
              "  VIRUS: Eicar-Test-Signature\r\n"
              "SCAN RESULTS\r\n"
              "  Files scanned:  1\r\n"
              "  ALERTS:         1\r\n"
              "  SUSPICIOUS:     0\r\n"
              "  REPAIRED:       0\r\n"
              "-----------------------------------------\r\n");
}

TEST(EicarScanReport, GermanRepairedInCodePage850)
{
    ScanResult result;
    result.file = "a.com";
    result.found = true;
    result.repaired = true;
    const std::string report = Report(result, true);
    EXPECT_EQ(report.find("SCAN RESULTS"), std::string::npos);
    EXPECT_NE(report.find("Durchsuche: a.com\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  VIRUS: Eicar-Test-Signature\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  ALARME:             1\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  VERD\x8E" "CHTIG:         0\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  REPARIERT:          1\r\n"), std::string::npos);
}

TEST(EicarScanReport, CleanHasNoVirusLine)
{
    ScanResult result;
    result.file = "clean.txt";
    const std::string report = Report(result, false);
    EXPECT_EQ(report.find("VIRUS:"), std::string::npos);
    EXPECT_NE(report.find("\r\n  ALERTS:         0\r\n"), std::string::npos);
}

TEST(EicarScanReport, UnreadableFileHasOnlyTheErrorAndTheEndMarker)
{
    ScanResult result;
    result.file = "gone.tmp";
    result.readable = false;
    result.failure = FailureLine(Failure::open, "gone.tmp", "File not found", false);
    EXPECT_EQ(Report(result, false),
              "EICAR test scanner (not an antivirus; it finds only the EICAR test string)\r\n"
              "Scanning: gone.tmp\r\n"
              "ERROR: cannot open gone.tmp: File not found\r\n"
              "-----------------------------------------\r\n");
    EXPECT_EQ(FailureLine(Failure::open, "x", "t", true),
              "FEHLER: kann x nicht \x94" "ffnen: t\r\n");
}

}  // namespace
}  // namespace ostrel::eicarscan
