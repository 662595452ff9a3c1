#pragma once

#include "scanner/StreamSeam.h"

#include <array>
#include <string>
#include <string_view>

namespace ostrel {

// Watches a byte stream for the end marker in any letter case, also when
// the marker is cut across two pieces. An empty marker never matches.
class TEndMarker {
public:
    explicit TEndMarker(std::string_view marker);

    // True once the marker has occurred in the stream so far.
    bool Feed(std::string_view bytes);

private:
    bool FoundAcrossSeam(std::string_view bytes) const;
    bool FoundInPiece(std::string_view bytes) const;

    std::string marker_;  // upper case
    std::array<bool, 256> inMarker_ = {};  // bytes whose upper case the marker holds
    TStreamSeam seam_;
    bool seen_ = false;
};

}  // namespace ostrel
