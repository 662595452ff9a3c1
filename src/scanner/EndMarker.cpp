#include "scanner/EndMarker.h"

#include "base/AnsiString.h"

namespace ostrel {

TEndMarker::TEndMarker(std::string_view marker)
    : marker_(AnsiUpperCase(marker)), seam_(marker_.empty() ? 0 : marker_.size() - 1)
{
    for (int c = 0; c < 256; ++c) {
        inMarker_[c] = marker_.find(AnsiUpperCase(static_cast<char>(c))) != std::string::npos;
    }
}

bool TEndMarker::Feed(std::string_view bytes)
{
    if (seen_ || marker_.empty()) {
        return seen_;
    }
    seen_ = FoundAcrossSeam(bytes) || FoundInPiece(bytes);
    seam_.Advance(bytes);
    return seen_;
}

bool TEndMarker::FoundAcrossSeam(std::string_view bytes) const
{
    const std::string around = seam_.Around(bytes);
    for (std::size_t start = 0; start < seam_.Kept(); ++start) {
        if (AnsiUpperEquals(std::string_view(around).substr(start, marker_.size()), marker_)) {
            return true;
        }
    }
    return false;
}

// Every marker-long stretch of the piece holds one probed byte, so a marker
// that lies in the piece holds one too: only where the probed byte could be
// one of the marker's is the marker compared, in place.
bool TEndMarker::FoundInPiece(std::string_view bytes) const
{
    const std::size_t length = marker_.size();
    for (std::size_t probe = length - 1; probe < bytes.size(); probe += length) {
        if (!inMarker_[static_cast<unsigned char>(bytes[probe])]) {
            continue;
        }
        const char upper = AnsiUpperCase(bytes[probe]);
        for (std::size_t at = 0; at < length; ++at) {
            if (marker_[at] == upper && AnsiUpperEquals(bytes.substr(probe - at, length), marker_)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace ostrel
