#include "scanner/EndMarker.h"

#include "base/AnsiString.h"

#include <algorithm>

namespace ostrel {

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

}  // namespace ostrel
