#include "scanner/ScanReport.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

struct Evaluation {
    int32_t code;
    std::string message;
};

Evaluation Evaluate(std::vector<std::string> chunks, bool isCure = false)
{
    Evaluation result;
    result.code = EvaluateScanOutput(chunks, isCure, result.message);
    return result;
}

TEST(ScanReport, EnglishCheckReports)
{
    const std::string header = "Scanning C:\\x\r\nSCAN RESULTS\r\n";
    EXPECT_EQ(Evaluate({header + "ALERTS: 0\r\nSUSPICIOUS: 0\r\n"}).code, ScanClean);

    Evaluation virus = Evaluate({"  VIRUS:  Eicar-Test-Signature \r\n" + header + "alerts: 1\r\nSuspicious: 0\r\n"});
    EXPECT_EQ(virus.code, ScanVirus);
    EXPECT_EQ(virus.message, "Eicar-Test-Signature");

    Evaluation suspicious = Evaluate({"SUSPICIOUS: 2\r\n" + header + "ALERTS: 0\r\n"});
    EXPECT_EQ(suspicious.code, ScanSuspicious);
    EXPECT_EQ(suspicious.message, "2");

    // The first SUSPICIOUS: is followed by a name, not a count.
    EXPECT_EQ(Evaluate({"SUSPICIOUS: C:\\x\r\n" + header + "ALERTS: 0\r\nSUSPICIOUS: 0\r\n"}).code,
              ScanNoResult);
    // Without the header the German keywords are used: English counts are not seen.
    EXPECT_EQ(Evaluate({"ALERTS: 1\r\nSUSPICIOUS: 0\r\n"}).code, ScanNoResult);
    EXPECT_EQ(Evaluate({}).code, ScanNoResult);
}

TEST(ScanReport, GermanReportWithDosUmlauts)
{
    std::string report = ConvertDosUmlauts("VIRUS: W\x81rmchen\r\nALARME: 1\r\nVERD\x8E" "CHTIG: 0\r\n");
    Evaluation virus = Evaluate({report});
    EXPECT_EQ(virus.code, ScanVirus);
    EXPECT_EQ(virus.message, "W\xFCrmchen");
    EXPECT_EQ(Evaluate({ConvertDosUmlauts("ALARME: 0\r\nverd\x84" "chtig: 0\r\n")}).code, ScanClean);
    EXPECT_EQ(Evaluate({"ALARME: 0\r\nVERDACHTIG: 0\r\n"}).code, ScanNoResult);
}

TEST(ScanReport, ChunkBoundaries)
{
    // The join adds the CR that the last chunk lacks.
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nSUSPICIOUS: 0\r\nALERTS: 0"}).code, ScanClean);
    // A count split across two chunks gets a line break in the middle.
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nSUSPICIOUS: 0\r\nALERTS: 1", "2\r\n"}).code, ScanVirus);
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nSUSPICIOUS: 0\r\nALER", "TS: 1\r\n"}).code, ScanNoResult);
    // A find without its name still counts; the message stays empty.
    Evaluation nameless = Evaluate({"SCAN RESULTS\r\nALERTS: 1\r\n"});
    EXPECT_EQ(nameless.code, ScanVirus);
    EXPECT_EQ(nameless.message, "");
}

TEST(ScanReport, CureReports)
{
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nREPAIRED: 1\r\n"}, true).code, ScanVirusRemoved);
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nREPAIRED: 0\r\n"}, true).code, ScanNotCured);
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nALERTS: 1\r\n"}, true).code, ScanNotCured);
    EXPECT_EQ(Evaluate({"REPARIERT: 3\r\n"}, true).code, ScanVirusRemoved);
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nREPAIRED: 99999999999\r\n"}, true).code, ScanNotCured);
}

TEST(ScanReport, DosUmlautsKeepLength)
{
    EXPECT_EQ(ConvertDosUmlauts("\x84\x94\x81\xE1\x8E\x99\x9A-\x85"), "\xE4\xF6\xFC\xDF\xC4\xD6\xDC-\x85");
}

}  // namespace
}  // namespace ostrel
