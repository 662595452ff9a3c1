#pragma once

// The test of the chain from the plug-in to the engine: a clean file and the
// EICAR test file, checked as the mail client checks its attachments. What
// the configuration dialog's Test button and bavhost's selftest conclude,
// and the words both say it in. No Windows headers.
#include <string>
#include <vector>

namespace ostrel {

class TMessageTexts;

// The 68-byte EICAR anti-virus test string.
std::string EicarTestString();
// What the clean test file holds.
extern const char CleanTestText[];

// How the mail client would have answered one test file's check.
enum class TTestAnswer { Clean, Virus, Suspicious, Error };

struct TChainTestFacts {
    bool configured = false;    // a scanner and its parameters are named
    bool disabled = false;      // checking is switched off
    bool scannerFound = false;  // the scanner names an existing file
    TTestAnswer clean = TTestAnswer::Error;
    bool eicarWritten = false;  // false: the test file could not even be written
    TTestAnswer eicar = TTestAnswer::Error;
    bool eicarGone = false;     // after its check, the file was missing or locked
};

enum class TChainVerdict {
    Works,
    NotConfigured,
    Disabled,
    ScannerMissing,
    CleanInfected,
    CleanNoVerdict,
    EicarMissed,
    EicarSuspicious,
    TakenByRealtime,
    EicarNoVerdict,
};

// Only the settings decide when nothing was checked: then the answers are
// not read.
TChainVerdict JudgeChainTest(const TChainTestFacts& facts);

// The verdict's line, then what to do about it.
std::vector<std::string> VerdictLines(TChainVerdict verdict, TMessageTexts& texts);

// One test file's check as the Test button saw it.
struct TTestFileCheck {
    TTestAnswer answer = TTestAnswer::Error;
    std::string message;  // the name of a find
    std::string error;    // why the scanner could not run
    std::string firstLine;               // of the scanner's output
    std::vector<std::string> lastLines;  // of the scanner's output
};

struct TChainTestReport {
    std::string scanner;
    TChainTestFacts facts;
    TTestFileCheck clean;
    TTestFileCheck eicar;
};

// The Test box: the scanner, the engine its report names, each file's
// answer, the verdict, and where an answer was wrong the scanner's own
// last lines.
std::string ChainTestText(const TChainTestReport& report, TMessageTexts& texts);

}  // namespace ostrel
