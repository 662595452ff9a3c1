#pragma once

#include "base/Format.h"

#include <cstdint>
#include <string>

namespace ostrel {

// How much detail a log line is: a line is written when its level is at
// most MaxLogLevel, so LogAlways lines are written whenever logging is on.
enum LogLevel : int32_t {
    LogAlways = 0,    // start, results, errors, the scanner's output
    LogRequests = 1,  // a check or cure begins
    LogCalls = 2,     // the host's other calls, the scanner's command line
    LogDetails = 3,   // the steps of a request
};

// Where a part writes its log lines; the plug-in hands it in.
class LogSink {
public:
    virtual ~LogSink() = default;

    virtual void WriteLog(const std::string& text, int32_t level) = 0;
    // Formats first, so a bad template raises even when the message is dropped.
    void WriteLogFmt(const std::string& format, const FormatArgs& args, int32_t level);
};

// Drops every line: for the tools, which keep no log.
class TNoLog : public LogSink {
public:
    void WriteLog(const std::string&, int32_t) override {}
};

}  // namespace ostrel
