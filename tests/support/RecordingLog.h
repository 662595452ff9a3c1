#pragma once

#include "lang/LogSink.h"

#include <string>
#include <vector>

namespace ostrel::test {

// A log that keeps its lines in memory, for a look.
class RecordingLog : public LogSink {
public:
    void WriteLog(const std::string& text, int32_t) override { lines.push_back(text); }

    std::vector<std::string> lines;
};

}  // namespace ostrel::test
