#include "plugin/PluginName.h"

#include "plugin/StatusCodes.h"

namespace ostrel {

std::string PluginDisplayName(int32_t status, bool disabled)
{
    std::string flags;
    if (status == StatusNotConfigured) {
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
