#pragma once

#include "bavhost/Plugin.h"

#include <string>

namespace ostrel::bavhost {

// Checks a clean file and an EICAR test file through the initialized
// plug-in, as the mail client would, in a fresh temporary folder that is
// removed again; prints what happened and one verdict line, and returns
// the exit code of that verdict.
int RunSelftest(const Plugin& plugin, const std::string& pluginPath, const std::string& name);

}  // namespace ostrel::bavhost
