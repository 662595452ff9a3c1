#include "scanner/ScanReport.h"

#include "base/AnsiString.h"
#include "base/Ascii.h"
#include "base/ByteSearch.h"

#include <algorithm>
#include <iterator>

namespace ostrel {

namespace {

// "VERDÄCHTIG:" with Ä as the Windows-1252 byte, whatever the compiler's charset.
constexpr std::string_view Verdaechtig = "VERD\xC4" "CHTIG:";
constexpr std::string_view EnglishHeader = "SCAN RESULTS";

// Every keyword of both languages once, the English header first.
constexpr std::string_view KeywordTexts[] = {EnglishHeader, "VIRUS:", "SUSPICIOUS:", "ALERTS:",
                                             "REPAIRED:",   Verdaechtig, "ALARME:", "REPARIERT:"};

// A keyword is sought from its anchor, its last colon or blank, and the
// byte there is compared as it is: it must be one that no code page gives
// a second letter case, or a keyword printed in the other case is missed.
constexpr std::size_t Anchor(std::string_view keyword)
{
    return keyword.find_last_of(": ");
}

constexpr bool HasOneCase(char c)
{
    return static_cast<unsigned char>(c) < 0x80 && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z');
}

constexpr bool EveryAnchorHasOneCase()
{
    for (std::string_view keyword : KeywordTexts) {
        if (Anchor(keyword) == std::string_view::npos || !HasOneCase(keyword[Anchor(keyword)])) {
            return false;
        }
    }
    return true;
}
static_assert(EveryAnchorHasOneCase(), "each keyword needs an anchor without a second letter case");

constexpr std::size_t LongestKeyword()
{
    std::size_t longest = 0;
    for (std::string_view keyword : KeywordTexts) {
        longest = std::max(longest, keyword.size());
    }
    return longest;
}
// The kept tail holds the start of every keyword that the cut before a
// Feed splits, the longest one's too, and no more: more would only be
// searched again.
static_assert(TScanReportReader::SeamLength + 1 == LongestKeyword(),
              "the kept tail must be one byte shorter than the longest keyword");

struct ReportKeywords {
    std::string_view virusName;
    std::string_view suspiciousName;
    std::string_view alertCount;
    std::string_view suspiciousCount;
    std::string_view repairedCount;
};

constexpr ReportKeywords German = {"VIRUS:", Verdaechtig, "ALARME:", Verdaechtig, "REPARIERT:"};
constexpr ReportKeywords English = {"VIRUS:", "SUSPICIOUS:", "ALERTS:", "SUSPICIOUS:", "REPAIRED:"};

// Only the keywords of the table are sought: any other would never be found.
constexpr bool InTable(std::string_view keyword)
{
    for (std::string_view known : KeywordTexts) {
        if (known == keyword) {
            return true;
        }
    }
    return false;
}

constexpr bool InTable(const ReportKeywords& keywords)
{
    return InTable(keywords.virusName) && InTable(keywords.suspiciousName) && InTable(keywords.alertCount) &&
           InTable(keywords.suspiciousCount) && InTable(keywords.repairedCount);
}
static_assert(InTable(German) && InTable(English), "a report keyword is missing from the table");

// Every byte to itself, but the DOS umlauts to their Windows-1252 places.
struct DosUmlautTable {
    DosUmlautTable()
    {
        for (int c = 0; c < 256; ++c) {
            bytes[c] = static_cast<char>(c);
        }
        const unsigned char umlauts[][2] = {
            {0x84, 0xE4},  // ä
            {0x94, 0xF6},  // ö
            {0x81, 0xFC},  // ü
            {0xE1, 0xDF},  // ß
            {0x8E, 0xC4},  // Ä
            {0x99, 0xD6},  // Ö
            {0x9A, 0xDC},  // Ü
        };
        for (const auto& umlaut : umlauts) {
            bytes[umlaut[0]] = static_cast<char>(umlaut[1]);
        }
    }
    char bytes[256];
};

int32_t ParseCount(const std::optional<std::string>& value)
{
    return value ? ParseInteger32(*value).value_or(-1) : -1;
}

}  // namespace

std::string ConvertDosUmlauts(std::string_view text)
{
    std::string converted;
    ConvertDosUmlauts(text, converted);
    return converted;
}

void ConvertDosUmlauts(std::string_view text, std::string& converted)
{
    static const DosUmlautTable table;
    converted.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        converted[i] = table.bytes[static_cast<unsigned char>(text[i])];
    }
}

std::array<TScanReportReader::Keyword, TScanReportReader::KeywordCount> TScanReportReader::MakeKeywords()
{
    static_assert(std::size(KeywordTexts) == KeywordCount);
    std::array<Keyword, KeywordCount> keywords;
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        keywords[i].upper = KeywordTexts[i];
        keywords[i].anchor = Anchor(KeywordTexts[i]);
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
    FindAcrossSeam(bytes);
    FindInPiece(bytes);
    seam_.Advance(bytes);
}

// A keyword that starts in the tail of the bytes before: every byte of the
// tail was searched already, so such a match is new, and it comes before
// any that starts in the new bytes.
void TScanReportReader::FindAcrossSeam(std::string_view bytes)
{
    const std::string around = seam_.Around(bytes);
    const std::size_t kept = seam_.Kept();
    for (Keyword& keyword : keywords_) {
        for (std::size_t start = 0; start < kept && !keyword.found; ++start) {
            if (AnsiUpperEquals(std::string_view(around).substr(start, keyword.upper.size()), keyword.upper)) {
                keyword.found = true;
                Capture(keyword, bytes.substr(start + keyword.upper.size() - kept));
            }
        }
    }
}

// A keyword that lies in the new bytes holds its anchor there; one that
// runs past their end is found by the next Feed.
void TScanReportReader::FindInPiece(std::string_view bytes)
{
    const bool colon = Missing(':');
    const bool blank = Missing(' ');
    if (!colon && !blank) {
        return;
    }
    const char first = colon ? ':' : ' ';
    const char second = blank ? ' ' : ':';
    for (std::size_t position = FindEitherByte(bytes, 0, first, second); position != std::string_view::npos;
         position = FindEitherByte(bytes, position + 1, first, second)) {
        for (Keyword& keyword : keywords_) {
            if (keyword.found || keyword.upper[keyword.anchor] != bytes[position] || position < keyword.anchor) {
                continue;
            }
            const std::size_t start = position - keyword.anchor;
            if (AnsiUpperEquals(bytes.substr(start, keyword.upper.size()), keyword.upper)) {
                keyword.found = true;
                Capture(keyword, bytes.substr(start + keyword.upper.size()));
            }
        }
    }
}

bool TScanReportReader::Missing(char anchor) const
{
    return std::any_of(keywords_.begin(), keywords_.end(), [&](const Keyword& keyword) {
        return !keyword.found && keyword.upper[keyword.anchor] == anchor;
    });
}

void TScanReportReader::Capture(Keyword& keyword, std::string_view bytes)
{
    const std::size_t end = FindEitherByte(bytes, 0, '\r', '\r');
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

const char* ScanResultText(ScanResult scanCode)
{
    switch (scanCode) {
    case ScanResult::NotCured: return "can not be cured";
    case ScanResult::NoResult: return "Error";
    case ScanResult::Clean: return "OK";
    case ScanResult::Virus: return "Virus found";
    case ScanResult::Suspicious: return "Suspicious";
    case ScanResult::VirusRemoved: return "Virus removed";
    default: return "unknown";
    }
}

}  // namespace ostrel
