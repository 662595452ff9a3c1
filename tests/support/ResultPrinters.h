#pragma once

#include "scanner/ScanReport.h"

#include <ostream>

namespace ostrel {

// GoogleTest shows a failed comparison of result codes as their numbers.
inline void PrintTo(ScanResult result, std::ostream* out)
{
    *out << static_cast<int32_t>(result);
}

}  // namespace ostrel
