#pragma once

#include "lang/LogSink.h"
#include "lang/MessageTexts.h"
#include "settings/Config.h"

#include <string>

namespace ostrel {

// What the dialogs take from the plug-in, which hands it in.
struct TDialogContext {
    TConfig& Config;
    LogSink& Log;
    TMessageTexts& Messages;
    std::string PluginFileName;
    std::string PluginVersion;
};

}  // namespace ostrel
