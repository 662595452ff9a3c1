#pragma once

#include "Options.h"
#include "Verdict.h"

#include <string>

namespace ostrel::ostrelscan {

// Streams the file to clamd with zINSTREAM over TCP and reads its verdict,
// all within `timeoutMs`. An unreachable or silent daemon is an error.
Verdict ScanWithClamd(const Endpoint& endpoint, const std::string& file, unsigned long timeoutMs);

}  // namespace ostrel::ostrelscan
