#pragma once

#include <string>

namespace ostrel::bavhost {

// Runs the plug-in's configured scanner once more on `file`, with the
// command line the plug-in builds for a check, and prints what it printed:
// for an error answer whose reason the log does not show. Changes no
// setting.
void PrintScannerRerun(const std::string& pluginPath, const std::string& file);

}  // namespace ostrel::bavhost
