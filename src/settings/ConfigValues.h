#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// The eleven stored settings with their defaults. Their names are the
// storage keys.
struct ConfigValues {
    bool LogAVPOutput = false;
    std::string LanguageFileName;
    std::string EndString = "-----------------";
    std::string AVPExeName;
    std::string AVPScanParam = "-nomem -noboot -nombr -z";
    bool Disabled = false;
    std::string AVPCureParam = "-nomem -noboot -nombr -z -e";
    bool Logging = false;
    std::string LogFileName;
    std::string HelpFileName;
    int32_t MaxLogLevel = 0;
};

}  // namespace ostrel
