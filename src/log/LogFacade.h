#pragma once

#include "lang/LogSink.h"
#include "lang/MessageTexts.h"
#include "log/LogError.h"
#include "log/TextLog.h"
#include "settings/Config.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace ostrel {

// The plug-in's log: writes a message when logging is on, a log file is
// named, the plug-in is configured and the level is at most MaxLogLevel. A
// failed write shows an error box and is otherwise swallowed.
class TLogFacade : public LogSink {
public:
    // `configured` tells whether the plug-in is configured at the moment;
    // `texts` word the error box.
    TLogFacade(TConfig& config, TOstrelLog& log, TMessageTexts& texts, std::function<bool()> configured);

    void WriteLog(const std::string& text, int32_t level) override;
    // Keeps the newest lines of an existing log file.
    void TrimLogFile();

private:
    void ReportLogError(const std::string& logFileName, const ELogError& error);

    TConfig& config_;
    TOstrelLog& log_;
    TMessageTexts& texts_;
    std::function<bool()> configured_;
    // The thread wording the box for a failed write: a note about a text
    // that does not fit would fail the same way.
    std::atomic<DWORD> reportingThread_{0};
};

}  // namespace ostrel
