#include "scanner/ScanOutput.h"

#include "base/ByteSearch.h"

namespace ostrel {

TScanOutput::TScanOutput(std::string_view endMarker) : endMarker_(endMarker)
{
}

std::string_view TScanOutput::Feed(std::string_view bytes)
{
    // Most output is ASCII, which needs no converted copy.
    std::string_view text = bytes;
    if (HasByteAbove7F(bytes)) {
        ConvertDosUmlauts(bytes, converted_);
        text = converted_;
    }
    report_.Feed(text);
    // The marker is looked for in the bytes as printed.
    markerSeen_ = endMarker_.Feed(bytes);
    return text;
}

}  // namespace ostrel
