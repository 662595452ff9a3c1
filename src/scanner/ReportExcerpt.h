#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// The lines of a scanner's output that tell a person what happened: the
// first, which names the engine, and the last few, which say how it ended.
// Memory stays bounded whatever the scanner prints, and where the output
// is cut into pieces changes nothing. Lines without text are left out.
class TReportExcerpt {
public:
    void Feed(std::string_view bytes);

    // Empty when the scanner printed no text.
    std::string FirstLine() const;
    // Oldest first, a last line without a line end included.
    std::vector<std::string> LastLines() const;

    static constexpr std::size_t MaxLines = 8;
    // A longer line is cut, ending in "...".
    static constexpr std::size_t MaxLineLength = 160;

private:
    void EndLine();
    std::string PendingLine() const;

    std::string first_;
    std::deque<std::string> last_;
    std::string line_;  // without leading blanks, at most one byte past MaxLineLength
};

}  // namespace ostrel
