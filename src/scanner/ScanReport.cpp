#include "scanner/ScanReport.h"

#include "base/AnsiString.h"
#include "base/Ascii.h"

#include <algorithm>

namespace ostrel {

namespace {

// "VERDÄCHTIG:" with Ä as the Windows-1252 byte, whatever the compiler's charset.
constexpr std::string_view Verdaechtig = "VERD\xC4" "CHTIG:";
constexpr std::string_view EnglishHeader = "SCAN RESULTS";
static_assert(EnglishHeader.size() == TScanReportReader::LongestKeyword);

struct ReportKeywords {
    std::string_view virusName;
    std::string_view suspiciousName;
    std::string_view alertCount;
    std::string_view suspiciousCount;
    std::string_view repairedCount;
};

constexpr ReportKeywords German = {"VIRUS:", Verdaechtig, "ALARME:", Verdaechtig, "REPARIERT:"};
constexpr ReportKeywords English = {"VIRUS:", "SUSPICIOUS:", "ALERTS:", "SUSPICIOUS:", "REPAIRED:"};

int32_t ParseCount(const std::optional<std::string>& value)
{
    return value ? ParseInteger32(*value).value_or(-1) : -1;
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

std::array<TScanReportReader::Keyword, 8> TScanReportReader::MakeKeywords()
{
    std::array<Keyword, 8> keywords;
    const std::string_view texts[] = {EnglishHeader, "VIRUS:", "SUSPICIOUS:", "ALERTS:",
                                      "REPAIRED:",   Verdaechtig, "ALARME:", "REPARIERT:"};
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        keywords[i].upper = texts[i];
    }
    return keywords;
}

void TScanReportReader::Feed(std::string_view bytes)
{
    if (bytes.empty()) {
        return;
    }
    for (Keyword& keyword : keywords_) {
        if (keyword.found && !keyword.complete) {
            Capture(keyword, bytes);
        }
    }
    const std::string upper = AnsiUpperCase(bytes);
    // A keyword that starts in the tail of the bytes before: every byte of
    // the tail was searched already, so such a match is new.
    const std::string around = seam_.Around(upper);
    const std::size_t kept = seam_.Kept();
    for (Keyword& keyword : keywords_) {
        const std::size_t position = keyword.found ? std::string::npos : around.find(keyword.upper);
        if (position < kept) {
            keyword.found = true;
            Capture(keyword, bytes.substr(position + keyword.upper.size() - kept));
        }
    }
    // Then one pass over the new bytes for the rest, in stream order,
    // stopping only where a keyword that is still missing could start.
    std::array<bool, 256> starts = {};
    for (const Keyword& keyword : keywords_) {
        starts[static_cast<unsigned char>(keyword.upper[0])] |= !keyword.found;
    }
    if (std::find(starts.begin(), starts.end(), true) != starts.end()) {
        for (std::size_t position = 0; position < upper.size(); ++position) {
            if (!starts[static_cast<unsigned char>(upper[position])]) {
                continue;
            }
            for (Keyword& keyword : keywords_) {
                if (!keyword.found && upper[position] == keyword.upper[0] &&
                    upper.compare(position, keyword.upper.size(), keyword.upper) == 0) {
                    keyword.found = true;
                    Capture(keyword, bytes.substr(position + keyword.upper.size()));
                }
            }
        }
    }
    seam_.Advance(upper);
}

void TScanReportReader::Capture(Keyword& keyword, std::string_view bytes)
{
    const std::size_t end = bytes.find('\r');
    keyword.complete = end != std::string_view::npos;
    const std::size_t room = MaxValueLength - keyword.value.size();
    keyword.value.append(bytes.substr(0, std::min({end, room, bytes.size()})));
}

std::optional<std::string> TScanReportReader::Value(std::string_view upper) const
{
    for (const Keyword& keyword : keywords_) {
        if (keyword.upper == upper && keyword.found) {
            return TrimBlanks(keyword.value);
        }
    }
    return std::nullopt;
}

ScanResult TScanReportReader::Result(bool isCure, std::string& message) const
{
    message.clear();
    const ReportKeywords& keywords = Value(EnglishHeader) ? English : German;
    const int32_t alerts = ParseCount(Value(keywords.alertCount));
    const int32_t suspicious = ParseCount(Value(keywords.suspiciousCount));
    const int32_t repaired = ParseCount(Value(keywords.repairedCount));

    if (isCure) {
        return repaired >= 1 ? ScanResult::VirusRemoved : ScanResult::NotCured;
    }
    if (alerts == 0 && suspicious == 0) {
        return ScanResult::Clean;
    }
    if (alerts > 0) {
        message = Value(keywords.virusName).value_or("");
        return ScanResult::Virus;
    }
    if (suspicious > 0) {
        message = Value(keywords.suspiciousName).value_or("");
        return ScanResult::Suspicious;
    }
    return ScanResult::NoResult;
}

ScanResult EvaluateScanOutput(std::string_view output, bool isCure, std::string& message)
{
    TScanReportReader reader;
    reader.Feed(output);
    return reader.Result(isCure, message);
}

}  // namespace ostrel
