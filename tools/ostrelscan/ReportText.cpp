#include "ReportText.h"

#include "base/TextLines.h"
#include "common/AvReport.h"

#include <vector>

namespace ostrel::ostrelscan {
namespace {

// Keeps the report in one read of the plug-in (1024 bytes) in most cases.
constexpr std::size_t kOutputLines = 8;
constexpr std::size_t kOutputLineLength = 100;

std::string Indented(const std::string& text, const std::string& first, const std::string& rest,
                     std::size_t lastLines, std::size_t lineLength)
{
    std::vector<std::string> lines = SplitFileLines(text);
    const std::size_t skip = lines.size() > lastLines ? lines.size() - lastLines : 0;
    std::string result;
    for (std::size_t i = skip; i < lines.size(); ++i) {
        std::string line = lines[i].substr(0, lineLength);
        result += (result.empty() ? first : rest) + line + "\r\n";
    }
    return result;
}

}  // namespace

std::string ComposeReport(const Verdict& verdict, const ReportInput& input)
{
    tools::ReportFacts facts;
    facts.banner = "ostrelscan: " + input.engineLabel;
    facts.file = input.file;
    facts.verdict = verdict.kind != Verdict::Kind::error;
    if (verdict.kind == Verdict::Kind::infected) {
        facts.virusName = verdict.name;
        if (input.cure) {
            facts.notes = input.german
                              ? "  Nicht bereinigt: die Engine repariert keine Dateien.\r\n"
                              : "  Not cleaned: the engine does not repair files.\r\n";
        }
    } else if (verdict.kind == Verdict::Kind::error) {
        facts.notes = Indented(verdict.reason, input.german ? "FEHLER: " : "ERROR: ", "  ", 20, 400);
        if (!input.engineOutput.empty()) {
            facts.notes += Indented(input.engineOutput, "  | ", "  | ", kOutputLines, kOutputLineLength);
        }
    }
    return tools::WriteReport(facts, input.german);
}

}  // namespace ostrel::ostrelscan
