#pragma once

#include "scanner/StreamSeam.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// Scanner result codes; the numbers appear in the log.
enum class ScanResult : int32_t {
    Clean = 0,
    Virus = 1,
    Suspicious = 3,
    VirusRemoved = 6,
    NoResult = -1,
    NotCured = -2,
    RequestError = -3,
    TimedOut = 999,
};

// The log text of a scanner result code.
const char* ScanResultText(ScanResult scanCode);

// The scanner prints in the DOS code page; its umlauts become Windows-1252.
std::string ConvertDosUmlauts(std::string_view text);
// The same into `converted`, whose memory is used again.
void ConvertDosUmlauts(std::string_view text, std::string& converted);

// Reads the scanner's printed report while it streams in, keeping only the
// values the report needs, so memory stays bounded whatever the scanner
// prints. The bytes count as one stream: where they are cut never changes
// the result. A keyword's value is the text after its first occurrence up
// to the next CR, or to the end of the output.
class TScanReportReader {
public:
    // Output as printed, with the DOS umlauts already converted.
    void Feed(std::string_view bytes);
    // English keywords when "SCAN RESULTS" occurred, German otherwise.
    // `message` gets the name after the virus or suspicious keyword of a find.
    ScanResult Result(bool isCure, std::string& message) const;

    // A value is cut at this length; no count or name the host can take is
    // that long.
    static constexpr std::size_t MaxValueLength = 65536;
    // Output kept from one Feed to the next, for a keyword the cut between
    // them splits: one byte less than the longest keyword, "SCAN RESULTS".
    static constexpr std::size_t SeamLength = 11;

private:
    static constexpr std::size_t KeywordCount = 8;

    struct Keyword {
        std::string_view upper;
        // Where its colon, or the header's blank, is: a byte without a
        // second case, so the search stops only there.
        std::size_t anchor = 0;
        bool found = false;
        bool complete = false;  // its CR has been seen
        std::string value;
    };

    void FindAcrossSeam(std::string_view bytes);
    void FindInPiece(std::string_view bytes);
    bool Missing(char anchor) const;
    void Capture(Keyword& keyword, std::string_view bytes);
    std::optional<std::string> Value(std::string_view keyword) const;

    std::array<Keyword, KeywordCount> keywords_ = MakeKeywords();
    TStreamSeam seam_{SeamLength};

    static std::array<Keyword, KeywordCount> MakeKeywords();
};

// Reads a whole report at once.
ScanResult EvaluateScanOutput(std::string_view output, bool isCure, std::string& message);

}  // namespace ostrel
