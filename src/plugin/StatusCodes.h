#pragma once

#include <cstdint>

namespace ostrel {

// Values of the plug-in status.
enum class PluginStatus : int32_t { Ready = 0, NotConfigured = -1, Failed = 1 };

// The host's result codes.
enum class HostResult : int32_t {
    Ok = 0,
    VirusFound = 1,
    Suspicious = 2,
    NotSupported = -1,
    CannotCure = -2,
    Error = -3,
};

// The number an export hands to the host.
template <typename Code>
constexpr int32_t HostValue(Code code)
{
    return static_cast<int32_t>(code);
}

}  // namespace ostrel
