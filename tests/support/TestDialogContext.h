#pragma once

#include "log/LogSink.h"
#include "settings/Config.h"
#include "ui/DialogContext.h"

#include <string>
#include <vector>

namespace ostrel::test {

// What a dialog takes from the plug-in, the tests' own: settings held in
// memory, log lines kept for a look.
class TestDialogContext : public LogSink {
public:
    void WriteLog(const std::string& text, int32_t) override { lines.push_back(text); }
    TDialogContext Context() { return {config, *this, pluginFileName, pluginVersion}; }

    TConfig config;
    std::string pluginFileName = "C:\\Mail\\Ostrel.bav";
    std::string pluginVersion = "1.2.3.4";
    std::vector<std::string> lines;
};

}  // namespace ostrel::test
