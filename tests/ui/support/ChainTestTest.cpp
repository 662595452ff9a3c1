#include "lang/LogSink.h"
#include "lang/MessageTexts.h"
#include "ui/support/ChainTest.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

using A = TTestAnswer;
using V = TChainVerdict;

TEST(ChainTest, TheSettingsFirstThenTheCleanFileThenEicarDecide)
{
    struct Row {
        bool configured, disabled, found;
        A clean;
        bool written;
        A eicar;
        bool gone;
        V verdict;
    };
    const Row rows[] = {
        {false, true, false, A::Error, false, A::Error, false, V::NotConfigured},
        {true, true, false, A::Clean, true, A::Virus, false, V::Disabled},
        {true, false, false, A::Clean, true, A::Virus, false, V::ScannerMissing},
        {true, false, true, A::Suspicious, true, A::Virus, false, V::CleanInfected},
        {true, false, true, A::Error, true, A::Virus, false, V::CleanNoVerdict},
        {true, false, true, A::Clean, true, A::Virus, true, V::Works},
        {true, false, true, A::Clean, true, A::Clean, false, V::EicarMissed},
        {true, false, true, A::Clean, true, A::Suspicious, false, V::EicarSuspicious},
        {true, false, true, A::Clean, false, A::Error, false, V::TakenByRealtime},
        {true, false, true, A::Clean, true, A::Error, true, V::TakenByRealtime},
        {true, false, true, A::Clean, true, A::Error, false, V::EicarNoVerdict},
    };
    for (const Row& row : rows) {
        const TChainTestFacts facts{row.configured, row.disabled, row.found, row.clean,
                                    row.written,    row.eicar,    row.gone};
        EXPECT_EQ(JudgeChainTest(facts), row.verdict) << &row - rows;
    }
}

class ChainTestBox : public ::testing::Test {
protected:
    TChainTestReport Ran(A clean, A eicar)
    {
        TChainTestReport report;
        report.scanner = "C:\\Ostrel\\ostrelscan.exe";
        report.facts = {true, false, true, clean, true, eicar, false};
        report.clean = {clean, "", "", "ostrelscan: Microsoft Defender MpCmdRun (auto)", {"clean lines"}};
        report.eicar = {eicar, eicar == A::Virus ? "EICAR_Test_File" : "", "", "", {"eicar lines"}};
        return report;
    }
    TNoLog log;
    TMessageTexts texts{log};
};

TEST_F(ChainTestBox, NamesScannerEngineBothAnswersAndTheVerdict)
{
    EXPECT_EQ(ChainTestText(Ran(A::Clean, A::Virus), texts),
              "Scanner: C:\\Ostrel\\ostrelscan.exe\r\n"
              "Engine: ostrelscan: Microsoft Defender MpCmdRun (auto)\r\n"
              "Clean test file: OK: nothing found\r\n"
              "EICAR test file: virus found: EICAR_Test_File\r\n"
              "\r\n"
              "The chain works: the clean file passed and the EICAR test file was found.");
}

// The scanner's own last lines, and why it could not run, stand under the
// verdict that faults its answer.
TEST_F(ChainTestBox, AWrongAnswerShowsThatRunsLastLines)
{
    TChainTestReport report = Ran(A::Error, A::Virus);
    report.clean.error = "The file is not a program.";
    std::string text = ChainTestText(report, texts);
    EXPECT_NE(text.find("Clean test file: error\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n\r\nError: the scanner gave no verdict for the clean test file.\r\nThe log tells why"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("The scanner's last lines:\r\n  The file is not a program.\r\n  clean lines"),
              std::string::npos)
        << text;

    text = ChainTestText(Ran(A::Clean, A::Clean), texts);
    EXPECT_NE(text.find("EICAR not found: "), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 15), "\r\n  eicar lines") << text;
}

TEST_F(ChainTestBox, TakenOrNeverRunSaysSoPlainly)
{
    TChainTestReport report = Ran(A::Clean, A::Error);
    report.facts.eicarGone = true;
    std::string text = ChainTestText(report, texts);
    EXPECT_NE(text.find("EICAR test file: taken away before the scanner saw it\r\n\r\nThe scanner answers, but "
                        "the test file was taken by real-time protection before the check.\r\nReal-time protection"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("last lines"), std::string::npos) << text;

    // Gone after the scanner answered OK: it saw the file, and the box agrees with the verdict.
    report = Ran(A::Clean, A::Clean);
    report.facts.eicarGone = true;
    text = ChainTestText(report, texts);
    EXPECT_NE(text.find("EICAR test file: OK: nothing found\r\n\r\nEICAR not found: "), std::string::npos) << text;

    report.facts.scannerFound = false;
    EXPECT_EQ(ChainTestText(report, texts),
              "Scanner: C:\\Ostrel\\ostrelscan.exe\r\n\r\n"
              "The scanner is missing: no program file has its name.\r\n"
              "Enter the full path of the scanner, .exe included.");
}

}  // namespace
}  // namespace ostrel
