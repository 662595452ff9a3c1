#pragma once

#include <cstdint>

namespace ostrel {

// Values of the plug-in status.
enum : int32_t { StatusReady = 0, StatusNotConfigured = -1, StatusFailed = 1 };

// The host's result codes.
enum : int32_t {
    HostOk = 0,
    HostVirusFound = 1,
    HostSuspicious = 2,
    HostNotSupported = -1,
    HostCannotCure = -2,
    HostError = -3,
};

}  // namespace ostrel
