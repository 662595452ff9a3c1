#pragma once

#include "lang/LogSink.h"
#include "lang/MessageTexts.h"
#include "scanner/ScannerInvocation.h"
#include "settings/Config.h"
#include "ui/support/ChainTest.h"

#include <functional>
#include <string>

namespace ostrel {

// One check of `fileName` with `settings` in place of the stored ones, as
// BAV_CheckFile checks and in turn with the host's checks: for the Test
// button. `cancel` ends the scanner at once; `onOutput` hears what it prints.
using TTestCheck = std::function<TTestFileCheck(const ConfigValues& settings, const std::string& fileName,
                                                HANDLE cancel, const TOutputObserver& onOutput)>;

// What the dialogs take from the plug-in, which hands it in.
struct TDialogContext {
    TConfig& Config;
    LogSink& Log;
    TMessageTexts& Messages;
    std::string PluginFileName;
    std::string PluginVersion;
    TTestCheck TestCheck;
};

}  // namespace ostrel
