#include "scanner/EndMarker.h"

#include "base/AnsiString.h"

#include <algorithm>

namespace ostrel {

TEndMarker::TEndMarker(std::string_view marker) : marker_(AnsiUpperCase(marker)) {}

bool TEndMarker::Feed(std::string_view bytes)
{
    if (seen_ || marker_.empty()) {
        return seen_;
    }
    std::string window = tail_ + AnsiUpperCase(bytes);
    seen_ = window.find(marker_) != std::string::npos;
    tail_ = window.substr(window.size() - std::min(window.size(), marker_.size() - 1));
    return seen_;
}

}  // namespace ostrel
