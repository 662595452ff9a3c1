#include "scanner/StreamSeam.h"

#include <algorithm>

namespace ostrel {

std::string TStreamSeam::Around(std::string_view next) const
{
    return tail_ + std::string(next.substr(0, std::min(next.size(), keep_)));
}

void TStreamSeam::Advance(std::string_view next)
{
    if (next.size() >= keep_) {
        tail_.assign(next.substr(next.size() - keep_));
        return;
    }
    tail_ += next;
    tail_.erase(0, tail_.size() - std::min(tail_.size(), keep_));
}

}  // namespace ostrel
