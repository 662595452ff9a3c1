#include "ui/support/ChainTest.h"

#include "base/TextLines.h"
#include "lang/MessageTexts.h"

namespace ostrel {

namespace {

MessageKey VerdictKey(TChainVerdict verdict)
{
    switch (verdict) {
    case TChainVerdict::Works: return MessageKey::STestChainWorks;
    case TChainVerdict::NotConfigured: return MessageKey::STestNotConfigured;
    case TChainVerdict::Disabled: return MessageKey::STestDisabled;
    case TChainVerdict::ScannerMissing: return MessageKey::STestScannerMissing;
    case TChainVerdict::CleanInfected: return MessageKey::STestCleanInfected;
    case TChainVerdict::CleanNoVerdict: return MessageKey::STestCleanNoVerdict;
    case TChainVerdict::EicarMissed: return MessageKey::STestEicarMissed;
    case TChainVerdict::EicarSuspicious: return MessageKey::STestEicarSuspicious;
    case TChainVerdict::TakenByRealtime: return MessageKey::STestTakenByRealtime;
    case TChainVerdict::EicarNoVerdict: break;
    }
    return MessageKey::STestEicarNoVerdict;
}

std::string AnswerWords(const TTestFileCheck& check, TMessageTexts& texts)
{
    const std::string named = check.message.empty() ? "" : ": " + check.message;
    switch (check.answer) {
    case TTestAnswer::Clean: return texts.Text(MessageKey::STestAnswerClean);
    case TTestAnswer::Virus: return texts.Text(MessageKey::STestAnswerVirus) + named;
    case TTestAnswer::Suspicious: return texts.Text(MessageKey::STestAnswerSuspicious) + named;
    case TTestAnswer::Error: break;
    }
    return texts.Text(MessageKey::STestAnswerError);
}

// The check whose answer the verdict faults, if any.
const TTestFileCheck* FaultedCheck(TChainVerdict verdict, const TChainTestReport& report)
{
    switch (verdict) {
    case TChainVerdict::CleanInfected:
    case TChainVerdict::CleanNoVerdict: return &report.clean;
    case TChainVerdict::EicarMissed:
    case TChainVerdict::EicarSuspicious:
    case TChainVerdict::EicarNoVerdict: return &report.eicar;
    default: return nullptr;
    }
}

}  // namespace

std::string EicarTestString()
{
    // Joined from two halves at run time, so that neither this source nor a
    // program holds the whole string and real scanners do not flag them.
    return std::string("X5O!P%@AP[4\\PZX54(P^)7CC)7}$EI") + "CAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
}

const char CleanTestText[] = "Ostrel self-test: a file with nothing in it.\r\n";

TChainVerdict JudgeChainTest(const TChainTestFacts& facts)
{
    if (!facts.configured) {
        return TChainVerdict::NotConfigured;
    }
    if (facts.disabled) {
        return TChainVerdict::Disabled;
    }
    if (!facts.scannerFound) {
        return TChainVerdict::ScannerMissing;
    }
    if (facts.clean != TTestAnswer::Clean) {
        return facts.clean == TTestAnswer::Error ? TChainVerdict::CleanNoVerdict : TChainVerdict::CleanInfected;
    }
    if (facts.eicarWritten && facts.eicar == TTestAnswer::Virus) {
        return TChainVerdict::Works;
    }
    if (facts.eicarWritten && facts.eicar == TTestAnswer::Clean) {
        return TChainVerdict::EicarMissed;
    }
    if (facts.eicarWritten && facts.eicar == TTestAnswer::Suspicious) {
        return TChainVerdict::EicarSuspicious;
    }
    if (!facts.eicarWritten || facts.eicarGone) {
        return TChainVerdict::TakenByRealtime;
    }
    return TChainVerdict::EicarNoVerdict;
}

std::vector<std::string> VerdictLines(TChainVerdict verdict, TMessageTexts& texts)
{
    return SplitFileLines(texts.Format(VerdictKey(verdict), {}));
}

std::string ChainTestText(const TChainTestReport& report, TMessageTexts& texts)
{
    const TChainTestFacts& facts = report.facts;
    std::vector<std::string> lines = {texts.Format(MessageKey::STestScanner, {report.scanner})};
    if (facts.configured && !facts.disabled && facts.scannerFound) {
        const std::string& engine = report.clean.firstLine.empty() ? report.eicar.firstLine : report.clean.firstLine;
        if (!engine.empty()) {
            lines.push_back(texts.Format(MessageKey::STestEngine, {engine}));
        }
        lines.push_back(texts.Format(MessageKey::STestCleanFile, {AnswerWords(report.clean, texts)}));
        // As the verdict reads it: a file gone after an answer was still answered.
        const bool taken = !facts.eicarWritten || (facts.eicarGone && facts.eicar == TTestAnswer::Error);
        lines.push_back(texts.Format(MessageKey::STestEicarFile, {taken ? texts.Text(MessageKey::STestAnswerTaken)
                                                                        : AnswerWords(report.eicar, texts)}));
    }
    lines.emplace_back();
    const TChainVerdict verdict = JudgeChainTest(facts);
    for (std::string& line : VerdictLines(verdict, texts)) {
        lines.push_back(std::move(line));
    }
    const TTestFileCheck* faulted = FaultedCheck(verdict, report);
    if (faulted != nullptr && !(faulted->error.empty() && faulted->lastLines.empty())) {
        lines.emplace_back();
        lines.push_back(texts.Text(MessageKey::STestLastLines));
        for (const std::string& line : SplitFileLines(faulted->error)) {
            lines.push_back("  " + line);
        }
        for (const std::string& line : faulted->lastLines) {
            lines.push_back("  " + line);
        }
    }
    std::string text = JoinFileLines(lines);
    text.resize(text.size() - 2);
    return text;
}

}  // namespace ostrel
