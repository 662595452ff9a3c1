#include "plugin/PluginName.h"

namespace ostrel {

std::string PluginDisplayName(PluginStatus status, bool disabled)
{
    std::string flags;
    if (status == PluginStatus::NotConfigured) {
        flags += "NoConfig;";
    }
    if (disabled) {
        flags += "Disabled;";
    }
    if (flags.empty()) {
        return "Ostrel";
    }
    flags.pop_back();
    return "Ostrel [" + flags + "]";
}

}  // namespace ostrel
