#include "common/AvReport.h"

#include "base/AnsiString.h"
#include "scanner/ScanReport.h"

#include <cstddef>

namespace ostrel::tools {
namespace {

const char kEol[] = "\r\n";
// The plug-in's default end marker is 17 hyphens in a row.
const char kEndMarker[] = "-----------------------------------------\r\n";

struct Keyword {
    std::string_view upper;
    std::size_t split;  // where the blank goes
};

// As the plug-in sees them: DOS umlauts converted, then upper-cased.
constexpr Keyword kKeywords[] = {
    {"VIRUS:", 5},      {"SUSPICIOUS:", 10}, {"ALERTS:", 6},      {"REPAIRED:", 8},
    {"ALARME:", 6},     {"VERD\xC4" "CHTIG:", 10}, {"REPARIERT:", 9}, {"SCAN RESULTS", 4},
};

// Labels padded to one column; the umlaut is one byte, so sizes are columns.
std::string Counter(const std::string& label, bool one, std::size_t width)
{
    return "  " + label + std::string(width - label.size(), ' ') + (one ? "1" : "0") + kEol;
}

// A name or file name stays on its line, so its value ends where the plug-in expects.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < ' ') {
            c = ' ';
        }
    }
    return line;
}

}  // namespace

std::string Defang(std::string_view text, bool keepVirusKeyword)
{
    const std::string upper = AnsiUpperCase(ConvertDosUmlauts(text));
    std::string result;
    result.reserve(text.size() + 8);
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '-' && pos + 2 < text.size() && text[pos + 1] == '-' && text[pos + 2] == '-') {
            result += "--";
            while (pos < text.size() && text[pos] == '-') {
                ++pos;
            }
            continue;
        }
        const Keyword* hit = nullptr;
        for (const Keyword& keyword : kKeywords) {
            if (upper.compare(pos, keyword.upper.size(), keyword.upper) == 0 &&
                !(keepVirusKeyword && keyword.upper == "VIRUS:")) {
                hit = &keyword;
                break;
            }
        }
        if (hit == nullptr) {
            result += text[pos++];
            continue;
        }
        result.append(text.substr(pos, hit->split));
        result += ' ';
        pos += hit->split;
    }
    return result;
}

std::string WriteReport(const ReportFacts& facts, bool german)
{
    const std::string file = Defang(OneLine(facts.file));
    // Only the findings and the counts may hold a keyword, or the plug-in
    // would read its value from somewhere else; the banner may hold a title
    // or an address from the user's settings.
    std::string text = Defang(OneLine(facts.banner)) + kEol + (german ? "Durchsuche: " : "Scanning: ") + file + kEol;
    const bool found = !facts.virusName.empty();
    if (facts.verdict) {
        text += file + kEol;
        if (found) {
            text += "  VIRUS: " + Defang(OneLine(facts.virusName), true) + kEol;
        }
    }
    text += Defang(facts.notes);
    if (facts.verdict) {
        if (german) {
            text += Counter("Dateien durchsucht:", true, 20);
            text += Counter("ALARME:", found, 20);
            text += Counter("VERD\x8E" "CHTIG:", false, 20);
            text += Counter("REPARIERT:", facts.repaired, 20);
        } else {
            text += std::string("SCAN RESULTS") + kEol;
            text += Counter("Files scanned:", true, 16);
            text += Counter("ALERTS:", found, 16);
            text += Counter("SUSPICIOUS:", false, 16);
            text += Counter("REPAIRED:", facts.repaired, 16);
        }
    }
    return text + kEndMarker;
}

}  // namespace ostrel::tools
