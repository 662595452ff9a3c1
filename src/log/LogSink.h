#pragma once

#include "base/Format.h"

#include <cstdint>
#include <string>

namespace ostrel {

// Where a part writes its log lines; the plug-in hands it in. Levels run
// from 0 (always written when logging is on) to 3 (most detail).
class LogSink {
public:
    virtual ~LogSink() = default;

    virtual void WriteLog(const std::string& text, int32_t level) = 0;
    // Formats first, so a bad template raises even when the message is dropped.
    void WriteLogFmt(const std::string& format, const FormatArgs& args, int32_t level);
};

}  // namespace ostrel
