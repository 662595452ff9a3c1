#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// "Ostrel", flagged " [NoConfig]", " [Disabled]" or " [NoConfig;Disabled]".
std::string PluginDisplayName(int32_t status, bool disabled);

}  // namespace ostrel
