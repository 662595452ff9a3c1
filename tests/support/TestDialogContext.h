#pragma once

#include "lang/MessageTexts.h"
#include "settings/Config.h"
#include "support/RecordingLog.h"
#include "ui/DialogContext.h"

#include <string>

namespace ostrel::test {

// What a dialog takes from the plug-in, the tests' own: settings held in
// memory, log lines kept for a look.
class TestDialogContext : public RecordingLog {
public:
    TDialogContext Context() { return {config, *this, messages, pluginFileName, pluginVersion, {}}; }

    TConfig config;
    TMessageTexts messages{*this};
    std::string pluginFileName = "C:\\Mail\\Ostrel.bav";
    std::string pluginVersion = "1.2.3.4";
};

}  // namespace ostrel::test
