#pragma once

#include "bavhost/Answers.h"

#include <string>

namespace ostrel::bavhost {

// The plug-in's settings read as the plug-in reads them: the ini file beside
// it, section [Data], else HKEY_CURRENT_USER\Software\Dunmere\Ostrel.
// Read after the plug-in's own initialize, which has already moved
// registry settings into a new ini file, so reading changes nothing.
LogSettings ReadLogSettings(const std::string& pluginPath);

// Changes whenever the settings are written: their values and the time the
// ini file or registry key was last written. Empty when unreadable.
std::string SettingsStamp(const std::string& pluginPath);

}  // namespace ostrel::bavhost
