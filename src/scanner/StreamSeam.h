#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ostrel {

// The last bytes of a stream read in pieces, kept so that a text of up to
// `keep` + 1 bytes that a cut splits between two pieces is still found.
class TStreamSeam {
public:
    explicit TStreamSeam(std::size_t keep) : keep_(keep) {}

    // The kept bytes, then the start of the next piece: every text that
    // begins in the kept bytes and ends in the piece lies in here.
    std::string Around(std::string_view next) const;
    // How many bytes of Around come from before the next piece.
    std::size_t Kept() const { return tail_.size(); }
    // The next piece has been searched: keep its end.
    void Advance(std::string_view next);

private:
    std::size_t keep_;
    std::string tail_;
};

}  // namespace ostrel
