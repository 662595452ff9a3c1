#include "scanner/ScanReport.h"
#include "support/ResultPrinters.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

struct Evaluation {
    ScanResult code;
    std::string message;
};

// The pieces are fed one by one, as the pipe delivered them.
Evaluation Evaluate(std::vector<std::string> pieces, bool isCure = false)
{
    TScanReportReader reader;
    for (const std::string& piece : pieces) {
        reader.Feed(piece);
    }
    Evaluation result;
    result.code = reader.Result(isCure, result.message);
    return result;
}

TEST(ScanReport, EnglishCheckReports)
{
    const std::string header = "Scanning C:\\x\r\nSCAN RESULTS\r\n";
    EXPECT_EQ(Evaluate({header + "ALERTS: 0\r\nSUSPICIOUS: 0\r\n"}).code, ScanResult::Clean);

    Evaluation virus = Evaluate({"  VIRUS:  Eicar-Test-Signature \r\n" + header + "alerts: 1\r\nSuspicious: 0\r\n"});
    EXPECT_EQ(virus.code, ScanResult::Virus);
    EXPECT_EQ(virus.message, "Eicar-Test-Signature");

    Evaluation suspicious = Evaluate({"SUSPICIOUS: 2\r\n" + header + "ALERTS: 0\r\n"});
    EXPECT_EQ(suspicious.code, ScanResult::Suspicious);
    EXPECT_EQ(suspicious.message, "2");

    // The first SUSPICIOUS: is followed by a name, not a count.
    EXPECT_EQ(Evaluate({"SUSPICIOUS: C:\\x\r\n" + header + "ALERTS: 0\r\nSUSPICIOUS: 0\r\n"}).code,
              ScanResult::NoResult);
    // Without the header the German keywords are used: English counts are not seen.
    EXPECT_EQ(Evaluate({"ALERTS: 1\r\nSUSPICIOUS: 0\r\n"}).code, ScanResult::NoResult);
    EXPECT_EQ(Evaluate({}).code, ScanResult::NoResult);
    EXPECT_EQ(EvaluateScanOutput(header + "ALERTS: 0\r\nSUSPICIOUS: 0\r\n", false, virus.message), ScanResult::Clean);
}

TEST(ScanReport, GermanReportWithDosUmlauts)
{
    std::string report = ConvertDosUmlauts("VIRUS: W\x81rmchen\r\nALARME: 1\r\nVERD\x8E" "CHTIG: 0\r\n");
    Evaluation virus = Evaluate({report});
    EXPECT_EQ(virus.code, ScanResult::Virus);
    EXPECT_EQ(virus.message, "W\xFCrmchen");
    EXPECT_EQ(Evaluate({ConvertDosUmlauts("ALARME: 0\r\nverd\x84" "chtig: 0\r\n")}).code, ScanResult::Clean);
    EXPECT_EQ(Evaluate({"ALARME: 0\r\nVERDACHTIG: 0\r\n"}).code, ScanResult::NoResult);
}

TEST(ScanReport, EndOfOutputEndsTheLastValue)
{
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nSUSPICIOUS: 0\r\nALERTS: 0"}).code, ScanResult::Clean);
    Evaluation named = Evaluate({"SCAN RESULTS\r\nALERTS: 1\r\nVIRUS: Last"});
    EXPECT_EQ(named.code, ScanResult::Virus);
    EXPECT_EQ(named.message, "Last");
    // A find without its name still counts; the message stays empty.
    Evaluation nameless = Evaluate({"SCAN RESULTS\r\nALERTS: 1\r\n"});
    EXPECT_EQ(nameless.code, ScanResult::Virus);
    EXPECT_EQ(nameless.message, "");
}

// Where the pipe cuts the output never changes the answer.
TEST(ScanReport, EveryCutGivesTheSameResult)
{
    const std::string report = "Scanning C:\\a.tmp\r\n  VIRUS: Eicar-Test-Signature\r\n"
                               "SCAN RESULTS\r\n  ALERTS:     1\r\n  SUSPICIOUS: 0\r\n  REPAIRED: 12\r\n";
    for (std::size_t first = 0; first <= report.size(); ++first) {
        for (std::size_t second = first; second <= report.size(); second += 7) {
            SCOPED_TRACE(std::to_string(first) + "/" + std::to_string(second));
            std::vector<std::string> pieces = {report.substr(0, first), report.substr(first, second - first),
                                               report.substr(second)};
            Evaluation check = Evaluate(pieces);
            ASSERT_EQ(check.code, ScanResult::Virus);
            ASSERT_EQ(check.message, "Eicar-Test-Signature");
            ASSERT_EQ(Evaluate(pieces, true).code, ScanResult::VirusRemoved);
        }
    }
    std::vector<std::string> bytes;
    for (char c : report) {
        bytes.emplace_back(1, c);
    }
    EXPECT_EQ(Evaluate(bytes).message, "Eicar-Test-Signature");
}

TEST(ScanReport, LongOutputKeepsOnlyWhatTheReportNeeds)
{
    TScanReportReader reader;
    const std::string noise(1 << 20, 'n');
    reader.Feed("VIRUS: ");
    for (int i = 0; i < 8; ++i) {
        reader.Feed(noise);  // a name without end is cut, not kept whole
    }
    reader.Feed("\r\nSCAN RESULTS\r\nALERTS: 1\r\n");
    std::string name;
    EXPECT_EQ(reader.Result(false, name), ScanResult::Virus);
    // The blank after the keyword counts towards the cut, then is trimmed.
    EXPECT_EQ(name.size(), TScanReportReader::MaxValueLength - 1);
    EXPECT_EQ(name.find_first_not_of('n'), std::string::npos);
}

TEST(ScanReport, CureReports)
{
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nREPAIRED: 1\r\n"}, true).code, ScanResult::VirusRemoved);
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nREPAIRED: 0\r\n"}, true).code, ScanResult::NotCured);
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nALERTS: 1\r\n"}, true).code, ScanResult::NotCured);
    EXPECT_EQ(Evaluate({"REPARIERT: 3\r\n"}, true).code, ScanResult::VirusRemoved);
    EXPECT_EQ(Evaluate({"SCAN RESULTS\r\nREPAIRED: 99999999999\r\n"}, true).code, ScanResult::NotCured);
}

TEST(ScanReport, DosUmlautsKeepLength)
{
    EXPECT_EQ(ConvertDosUmlauts("\x84\x94\x81\xE1\x8E\x99\x9A-\x85"), "\xE4\xF6\xFC\xDF\xC4\xD6\xDC-\x85");
}

}  // namespace
}  // namespace ostrel
