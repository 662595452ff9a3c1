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
    const std::size_t keep = marker_.size() - 1;
    const std::string upper = AnsiUpperCase(bytes);
    const std::string seam = tail_ + upper.substr(0, std::min(upper.size(), keep));
    seen_ = seam.find(marker_) != std::string::npos || upper.find(marker_) != std::string::npos;
    const std::string joined = tail_ + upper.substr(upper.size() - std::min(upper.size(), keep));
    tail_ = joined.substr(joined.size() - std::min(joined.size(), keep));
    return seen_;
}

}  // namespace ostrel
