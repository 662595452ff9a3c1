#include "scanner/ReportExcerpt.h"

#include "base/AnsiString.h"

namespace ostrel {

void TReportExcerpt::Feed(std::string_view bytes)
{
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            EndLine();
        } else if (line_.size() <= MaxLineLength) {
            // A box shows control characters as nothing, or ends the text at NUL.
            const bool blank = static_cast<unsigned char>(c) <= ' ';
            if (!(blank && line_.empty())) {
                line_ += blank ? ' ' : c;
            }
        }
    }
}

std::string TReportExcerpt::PendingLine() const
{
    return CutWithEllipsis(TrimBlanks(line_), MaxLineLength);
}

void TReportExcerpt::EndLine()
{
    std::string line = PendingLine();
    line_.clear();
    if (line.empty()) {
        return;
    }
    if (first_.empty()) {
        first_ = line;
    }
    last_.push_back(std::move(line));
    if (last_.size() > MaxLines) {
        last_.pop_front();
    }
}

std::string TReportExcerpt::FirstLine() const
{
    return first_.empty() ? PendingLine() : first_;
}

std::vector<std::string> TReportExcerpt::LastLines() const
{
    std::vector<std::string> lines(last_.begin(), last_.end());
    const std::string pending = PendingLine();
    if (!pending.empty()) {
        lines.push_back(pending);
        if (lines.size() > MaxLines) {
            lines.erase(lines.begin());
        }
    }
    return lines;
}

}  // namespace ostrel
