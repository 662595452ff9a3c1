#include "sysinfo/WindowsVersionName.h"

namespace ostrel {

namespace {

constexpr uint32_t PlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t PlatformNT = 2;       // VER_PLATFORM_WIN32_NT

const char* const Unknown = "nicht feststellbar";

std::string WindowsFamilyName(uint32_t major, uint32_t minor)
{
    if (major < 4) {
        return Unknown;
    }
    switch (minor) {
    case 0:
        return "Windows 95";
    case 10:
        return "Windows 98";
    case 90:
        return "Windos ME";
    default:
        return Unknown;
    }
}

std::string NTFamilyName(uint32_t major, uint32_t minor)
{
    if (major <= 4) {
        return "Windows NT 4.0";
    }
    if (major == 5 && minor == 0) {
        return "Windows 2000";
    }
    if (major == 5 && minor == 1) {
        return "Windows XP";
    }
    return Unknown;
}

}  // namespace

std::string WindowsVersionName(uint32_t platformId, uint32_t major, uint32_t minor)
{
    switch (platformId) {
    case PlatformWindows:
        return WindowsFamilyName(major, minor);
    case PlatformNT:
        return NTFamilyName(major, minor);
    default:
        return Unknown;
    }
}

}  // namespace ostrel
