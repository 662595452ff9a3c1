#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// The name the support report shows for a version record's platform id,
// major and minor version; "nicht feststellbar" for anything after XP.
std::string WindowsVersionName(uint32_t platformId, uint32_t major, uint32_t minor);

}  // namespace ostrel
