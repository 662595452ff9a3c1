#pragma once

#include "plugin/StatusCodes.h"

#include <string>

namespace ostrel {

// "Ostrel", flagged " [NoConfig]", " [Disabled]" or " [NoConfig;Disabled]".
std::string PluginDisplayName(PluginStatus status, bool disabled);

}  // namespace ostrel
