#pragma once

#include "Options.h"
#include "Verdict.h"

#include <optional>
#include <string>

namespace ostrel::ostrelscan {

// Streams the file to clamd with zINSTREAM over TCP and reads its verdict,
// all within `timeoutMs`. This daemon is the user's choice (address=,
// engine=clamd): at a loopback address it is asked unless its listener is
// a process that is neither a service nor the user's (ListenerTrust.h). An
// unreachable, refused or silent daemon is an error.
Verdict ScanWithClamd(const Endpoint& endpoint, const std::string& file, unsigned long timeoutMs);

// The same for ClamAV's daemon that auto found installed at `installedDaemon`:
// asked only when its listener is that daemon and takes the connection
// within `connectLimitMs`. Otherwise there is no verdict, and `passedOver`
// says why. Once connected, every failure is the daemon's error.
std::optional<Verdict> ScanWithInstalledClamd(const Endpoint& endpoint, const std::string& file,
                                              unsigned long timeoutMs, unsigned long connectLimitMs,
                                              const std::string& installedDaemon, std::string& passedOver);

}  // namespace ostrel::ostrelscan
