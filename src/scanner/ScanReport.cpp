#include "scanner/ScanReport.h"

#include "base/AnsiString.h"
#include "base/TextLines.h"

#include <limits>
#include <optional>

namespace ostrel {

namespace {

struct ReportKeywords {
    const char* virusName;
    const char* suspiciousName;
    const char* alertCount;
    const char* suspiciousCount;
    const char* repairedCount;
};

// "VERDÄCHTIG:" with Ä as the Windows-1252 byte, whatever the compiler's charset.
#define OSTREL_VERDAECHTIG "VERD\xC4" "CHTIG:"
const ReportKeywords German = {"VIRUS:", OSTREL_VERDAECHTIG, "ALARME:", OSTREL_VERDAECHTIG, "REPARIERT:"};
#undef OSTREL_VERDAECHTIG
const ReportKeywords English = {"VIRUS:", "SUSPICIOUS:", "ALERTS:", "SUSPICIOUS:", "REPAIRED:"};
constexpr std::string_view EnglishHeader = "SCAN RESULTS";

// The text after the keyword's first occurrence up to the next CR, trimmed.
std::optional<std::string> ValueAfter(std::string_view text, std::string_view upper,
                                      std::string_view keyword)
{
    std::size_t start = upper.find(keyword);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t end = upper.find('\r', start);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    start += keyword.size();
    return TrimBlanks(text.substr(start, end - start));
}

int32_t ParseCount(const std::optional<std::string>& value)
{
    if (!value || value->empty()) {
        return -1;
    }
    std::string_view digits = *value;
    bool negative = digits[0] == '-';
    if (negative || digits[0] == '+') {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 10) {
        return -1;
    }
    int64_t count = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        count = count * 10 + (c - '0');
    }
    count = negative ? -count : count;
    if (count > std::numeric_limits<int32_t>::max() || count < std::numeric_limits<int32_t>::min()) {
        return -1;
    }
    return static_cast<int32_t>(count);
}

}  // namespace

std::string ConvertDosUmlauts(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        switch (static_cast<unsigned char>(c)) {
        case 0x84: c = '\xE4'; break;  // ä
        case 0x94: c = '\xF6'; break;  // ö
        case 0x81: c = '\xFC'; break;  // ü
        case 0xE1: c = '\xDF'; break;  // ß
        case 0x8E: c = '\xC4'; break;  // Ä
        case 0x99: c = '\xD6'; break;  // Ö
        case 0x9A: c = '\xDC'; break;  // Ü
        default: break;
        }
    }
    return result;
}

int32_t EvaluateScanOutput(const std::vector<std::string>& output, bool isCure,
                           std::string& message)
{
    message.clear();
    const std::string text = JoinFileLines(output);
    const std::string upper = AnsiUpperCase(text);
    const ReportKeywords& keywords =
        upper.find(EnglishHeader) != std::string::npos ? English : German;
    const int32_t alerts = ParseCount(ValueAfter(text, upper, keywords.alertCount));
    const int32_t suspicious = ParseCount(ValueAfter(text, upper, keywords.suspiciousCount));
    const int32_t repaired = ParseCount(ValueAfter(text, upper, keywords.repairedCount));

    if (isCure) {
        return repaired >= 1 ? ScanVirusRemoved : ScanNotCured;
    }
    if (alerts == 0 && suspicious == 0) {
        return ScanClean;
    }
    if (alerts > 0) {
        message = ValueAfter(text, upper, keywords.virusName).value_or("");
        return ScanVirus;
    }
    if (suspicious > 0) {
        message = ValueAfter(text, upper, keywords.suspiciousName).value_or("");
        return ScanSuspicious;
    }
    return ScanNoResult;
}

}  // namespace ostrel
