#pragma once

// The read path as it was before it became one pass over the bytes: the
// umlauts converted in a copy of every piece, keywords and end marker found
// in upper-cased copies, a string per log line. Slow but plain, it is what
// the faster one must answer byte for byte.

#include "scanner/ScanReport.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::reference {

std::string ConvertDosUmlauts(std::string_view text);

class TStreamSeam {
public:
    explicit TStreamSeam(std::size_t keep) : keep_(keep) {}
    std::string Around(std::string_view next) const;
    std::size_t Kept() const { return tail_.size(); }
    void Advance(std::string_view next);

private:
    std::size_t keep_;
    std::string tail_;
};

class TScanReportReader {
public:
    void Feed(std::string_view bytes);
    ScanResult Result(bool isCure, std::string& message) const;

private:
    struct Keyword {
        std::string_view upper;
        bool found = false;
        bool complete = false;
        std::string value;
    };

    void Capture(Keyword& keyword, std::string_view bytes);
    std::optional<std::string> Value(std::string_view keyword) const;
    static std::array<Keyword, 8> MakeKeywords();

    std::array<Keyword, 8> keywords_ = MakeKeywords();
    TStreamSeam seam_{11};
};

class TEndMarker {
public:
    explicit TEndMarker(std::string_view marker);
    bool Feed(std::string_view bytes);

private:
    std::string marker_;
    TStreamSeam seam_;
    bool seen_ = false;
};

void WriteMessageLines(const std::string& stamp, std::string_view text, std::size_t blockSize,
                       const std::function<void(std::string_view block)>& write);

}  // namespace ostrel::reference
