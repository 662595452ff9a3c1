#pragma once

#include "log/LogSink.h"
#include "settings/Config.h"

#include <string>

namespace ostrel {

// What the dialogs take from the plug-in, which hands it in.
struct TDialogContext {
    TConfig& Config;
    LogSink& Log;
    std::string PluginFileName;
    std::string PluginVersion;
};

}  // namespace ostrel
