#pragma once

#include "scanner/EndMarker.h"
#include "scanner/ScanReport.h"

#include <string>
#include <string_view>

namespace ostrel {

// What a scanner run does with each piece of output as it arrives: the
// DOS umlauts are converted, the report is read and the end marker is
// watched for. Output runs to megabytes, so this is the plug-in's one pass
// over every byte the scanner prints.
class TScanOutput {
public:
    explicit TScanOutput(std::string_view endMarker);

    // The piece with its umlauts converted, valid until the next Feed.
    std::string_view Feed(std::string_view bytes);
    // The marker has occurred in the output so far.
    bool MarkerSeen() const { return markerSeen_; }
    ScanResult Result(bool isCure, std::string& message) const { return report_.Result(isCure, message); }

private:
    TEndMarker endMarker_;
    TScanReportReader report_;
    std::string converted_;
    bool markerSeen_ = false;
};

}  // namespace ostrel
