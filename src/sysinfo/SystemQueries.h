#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// The path of a shell special folder (a CSIDL); `create` makes the shell
// create a missing one. Empties `path` first and fills it on success.
bool GetSpecialFolderPath(int folderId, bool create, std::string& path);

struct WindowsVersionInfo {
    uint32_t Major = 0;
    uint32_t Minor = 0;
    uint32_t Build = 0;  // all 32 bits as reported, also on the 9x family
    std::string ServicePack;
    std::string Name;
};

WindowsVersionInfo GetWindowsVersionInfo();

// Bytes. The 32-bit count of GlobalMemoryStatus ends at 4 GB, which would
// report every machine of today as having 4 GB.
struct PhysicalMemory {
    uint64_t Total = 0;
    uint64_t Available = 0;
};

PhysicalMemory GetPhysicalMemory();

// Empty when the variable is not set.
std::string GetEnvironmentValue(const std::string& name);

// The variable Temp as it stands: no separator added, no other source.
std::string GetTempDirectory();

}  // namespace ostrel
