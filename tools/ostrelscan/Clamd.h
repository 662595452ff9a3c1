#pragma once

#include "Options.h"
#include "Verdict.h"

#include <optional>
#include <string>

namespace ostrel::ostrelscan {

// Streams the file to clamd with zINSTREAM over TCP and reads its verdict,
// all within `timeoutMs`. An unreachable or silent daemon is an error.
Verdict ScanWithClamd(const Endpoint& endpoint, const std::string& file, unsigned long timeoutMs);

// The same, but a daemon that takes no connection within `connectLimitMs`
// gives no verdict at all: `noConnection` then says why. Once connected,
// every failure is the daemon's error.
std::optional<Verdict> ScanWithClamdIfListening(const Endpoint& endpoint, const std::string& file,
                                                unsigned long timeoutMs, unsigned long connectLimitMs,
                                                std::string& noConnection);

}  // namespace ostrel::ostrelscan
