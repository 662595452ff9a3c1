#include "ReferenceReadPath.h"

#include "base/AnsiString.h"
#include "base/Ascii.h"
#include "log/LogLines.h"

#include <algorithm>

namespace ostrel::reference {

namespace {

constexpr std::string_view Verdaechtig = "VERD\xC4" "CHTIG:";
constexpr std::string_view EnglishHeader = "SCAN RESULTS";

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

std::string LimitLineLengths(std::string_view line)
{
    std::string limited;
    while (!line.empty()) {
        const std::size_t end = std::min(line.find_first_of("\r\n"), line.size());
        const std::string_view part = line.substr(0, end);
        limited += CutWithEllipsis(part, MaxLogLineLength);
        limited += line.substr(end, end < line.size() ? 1 : 0);
        line.remove_prefix(std::min(end + 1, line.size()));
    }
    return limited;
}

std::string_view SplitFirstLine(std::string_view& rest)
{
    std::size_t end = rest.find("\r\n");
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
    return line;
}

}  // namespace

std::string ConvertDosUmlauts(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        switch (static_cast<unsigned char>(c)) {
        case 0x84: c = '\xE4'; break;
        case 0x94: c = '\xF6'; break;
        case 0x81: c = '\xFC'; break;
        case 0xE1: c = '\xDF'; break;
        case 0x8E: c = '\xC4'; break;
        case 0x99: c = '\xD6'; break;
        case 0x9A: c = '\xDC'; break;
        default: break;
        }
    }
    return result;
}

std::string TStreamSeam::Around(std::string_view next) const
{
    return tail_ + std::string(next.substr(0, std::min(next.size(), keep_)));
}

void TStreamSeam::Advance(std::string_view next)
{
    if (next.size() >= keep_) {
        tail_.assign(next.substr(next.size() - keep_));
        return;
    }
    tail_ += next;
    tail_.erase(0, tail_.size() - std::min(tail_.size(), keep_));
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
    const std::string around = seam_.Around(upper);
    const std::size_t kept = seam_.Kept();
    for (Keyword& keyword : keywords_) {
        const std::size_t position = keyword.found ? std::string::npos : around.find(keyword.upper);
        if (position < kept) {
            keyword.found = true;
            Capture(keyword, bytes.substr(position + keyword.upper.size() - kept));
        }
    }
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
    const std::size_t room = ostrel::TScanReportReader::MaxValueLength - keyword.value.size();
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

TEndMarker::TEndMarker(std::string_view marker)
    : marker_(AnsiUpperCase(marker)), seam_(marker_.empty() ? 0 : marker_.size() - 1)
{
}

bool TEndMarker::Feed(std::string_view bytes)
{
    if (seen_ || marker_.empty()) {
        return seen_;
    }
    const std::string upper = AnsiUpperCase(bytes);
    seen_ = seam_.Around(upper).find(marker_) != std::string::npos || upper.find(marker_) != std::string::npos;
    seam_.Advance(upper);
    return seen_;
}

void WriteMessageLines(const std::string& stamp, std::string_view text, std::size_t blockSize,
                       const std::function<void(std::string_view block)>& write)
{
    const std::string indent(stamp.size() + 2, ' ');
    std::string block;
    std::string_view rest = text;
    std::string_view line = SplitFirstLine(rest);
    bool first = true;
    while (!line.empty() || !rest.empty()) {
        if (first) {
            block += stamp;
            block += ": ";
        } else {
            block += indent;
        }
        block += line.size() <= MaxLogLineLength ? std::string(line) : LimitLineLengths(line);
        block += "\r\n";
        if (block.size() >= blockSize) {
            write(block);
            block.clear();
        }
        first = false;
        line = SplitFirstLine(rest);
    }
    if (!block.empty()) {
        write(block);
    }
}

}  // namespace ostrel::reference
