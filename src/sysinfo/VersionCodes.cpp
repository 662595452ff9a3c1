#include "sysinfo/VersionCodes.h"

#include <array>

namespace ostrel {

namespace {

constexpr uint32_t TypeDriver = 3;
constexpr uint32_t TypeFont = 4;

// Subtype codes count from 1; 0 is the system's own "unknown".
template <std::size_t Count>
std::string KindName(const std::array<const char*, Count>& names, uint32_t code)
{
    return code >= 1 && code <= Count ? names[code - 1] : "Unknown";
}

}  // namespace

uint16_t LanguageToLangId(TLanguage language)
{
    // The languages after lnBahasa are sublanguages, without a common rule.
    static constexpr std::array<uint16_t, 12> Sublanguages = {
        0x0804, 0x0807, 0x0809, 0x080A, 0x080C, 0x0810,
        0x0813, 0x0814, 0x0816, 0x081A, 0x0C0C, 0x100C,
    };
    const auto ordinal = static_cast<std::size_t>(language);
    const auto primaryCount = static_cast<std::size_t>(TLanguage::lnBahasa) + 1;
    if (ordinal < primaryCount) {
        return static_cast<uint16_t>(0x0401 + ordinal);
    }
    return Sublanguages.at(ordinal - primaryCount);
}

uint16_t CharacterSetToCodePage(TCharacterSet characterSet)
{
    static constexpr std::array<uint16_t, 12> CodePages = {
        0, 932, 949, 950, 1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256,
    };
    return CodePages.at(static_cast<std::size_t>(characterSet));
}

std::string FileOSText(uint32_t fileOS)
{
    switch (fileOS) {
    case 0x1: return "Windows 3.0 or later";
    case 0x2: return "16 bit OS/2 Presentation Manager";
    case 0x3: return "32 bit OS/2 Presentation Manager";
    case 0x4: return "32 bit Windows";
    case 0x10000: return "MS-Dos";
    case 0x10001: return "Windows 3.0 or later with MS-Dos";
    case 0x10004: return "32 bit Windows with MS-Dos";
    case 0x20000: return "16 bit OS/2";
    case 0x20002: return "16 bit OS/2 with Presentation Manager";
    case 0x30000: return "32 bit OS/2";
    case 0x30003: return "32 bit OS/2 with Presentation Manager";
    case 0x40000: return "Windows NT";
    case 0x40004: return "Windows NT with 32 bit Windows";
    default: return "Unknown";
    }
}

std::string FileTypeText(uint32_t fileType)
{
    switch (fileType) {
    case 1: return "Application";
    case 2: return "Dynamic-Link Library";
    case TypeDriver: return "Device Driver";
    case TypeFont: return "Font";
    case 5: return "Virtual Device Driver";
    case 7: return "Static-Link Library";
    default: return "Unknown";
    }
}

std::string FileSubTypeText(uint32_t fileType, uint32_t fileSubType)
{
    static constexpr std::array<const char*, 10> DriverKinds = {
        "Printer", "Keyboard", "Language",    "Display", "Mouse",
        "Network", "System",   "Installable", "Sound",   "Communications",
    };
    static constexpr std::array<const char*, 3> FontKinds = {"Raster", "Vector", "TrueType"};

    if (fileType == TypeDriver) {
        return KindName(DriverKinds, fileSubType);
    }
    if (fileType == TypeFont) {
        return KindName(FontKinds, fileSubType);
    }
    return "";
}

}  // namespace ostrel
