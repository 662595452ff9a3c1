#include "scanner/ScanOutput.h"

namespace ostrel {

TScanOutput::TScanOutput(std::string_view endMarker) : endMarker_(endMarker)
{
}

std::string_view TScanOutput::Feed(std::string_view bytes)
{
    converted_ = ConvertDosUmlauts(bytes);
    report_.Feed(converted_);
    // The marker is looked for in the bytes as printed.
    markerSeen_ = endMarker_.Feed(bytes);
    return converted_;
}

}  // namespace ostrel
