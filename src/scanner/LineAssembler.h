#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ostrel {

// Builds console output into lines the way a terminal shows them: CR goes
// back to the line start and overwrites, BS steps back, TAB writes 8 blanks,
// NUL and BEL show as blanks, LF ends the line.
class LineAssembler {
public:
    using LineSink = std::function<void(const std::string& line)>;

    void Feed(std::string_view bytes, const LineSink& emit);
    // A last line without a line feed.
    void Finish(const LineSink& emit);
    void Reset();

    const std::string& PendingLine() const { return pendingLine_; }
    std::size_t Column() const { return column_; }

private:
    void Write(std::string_view text);
    void Emit(const LineSink& emit);

    std::string pendingLine_;
    std::size_t column_ = 0;
};

}  // namespace ostrel
