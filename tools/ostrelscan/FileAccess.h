#pragma once

#include "Verdict.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel::ostrelscan {

// The error for a file that cannot be opened for reading. An on-access
// scanner may have taken it first, which the reason says: a user who sees
// it for an infected attachment should not think the engine failed.
Verdict CannotOpen(const std::string& file, uint32_t error);

// The file opened for reading and closed again, or the error why not.
std::optional<Verdict> OpenFailure(const std::string& file);

}  // namespace ostrel::ostrelscan
