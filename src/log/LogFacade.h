#pragma once

#include "log/LogSink.h"
#include "log/TextLog.h"
#include "settings/Config.h"

#include <cstdint>
#include <functional>
#include <string>

namespace ostrel {

// The plug-in's log: writes a message when logging is on, a log file is
// named, the plug-in is configured and the level is at most MaxLogLevel. A
// failed write shows an error box and is otherwise swallowed.
class TLogFacade : public LogSink {
public:
    // `configured` tells whether the plug-in is configured at the moment.
    TLogFacade(TConfig& config, TOstrelLog& log, std::function<bool()> configured);

    void WriteLog(const std::string& text, int32_t level) override;
    // Keeps the newest lines of an existing log file.
    void TrimLogFile();

private:
    TConfig& config_;
    TOstrelLog& log_;
    std::function<bool()> configured_;
};

}  // namespace ostrel
