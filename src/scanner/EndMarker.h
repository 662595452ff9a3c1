#pragma once

#include "scanner/StreamSeam.h"

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
    std::string marker_;  // upper case
    TStreamSeam seam_;
    bool seen_ = false;
};

}  // namespace ostrel
