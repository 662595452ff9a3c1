#pragma once

#include "base/Format.h"

#include <cstdint>
#include <string>

namespace ostrel {

// Writes a message when logging is on, a log file is named, the plug-in is
// configured and the level is at most MaxLogLevel. A failed write shows an
// error box and is otherwise swallowed.
void WriteLog(const std::string& text, int32_t level);

// Formats first, so a bad template raises even when the message is dropped.
void WriteLogFmt(const std::string& format, const FormatArgs& args, int32_t level);

// Keeps the newest lines of an existing log file.
void TrimLogFile();

}  // namespace ostrel
