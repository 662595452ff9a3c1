#pragma once

#include "sysinfo/VersionCodes.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {

// The fields of the fixed version information (VS_FIXEDFILEINFO) that are
// shown. Each version is two 32-bit words, the most significant first.
struct TFixedVersion {
    uint32_t FileVersionMS = 0;
    uint32_t FileVersionLS = 0;
    uint32_t ProductVersionMS = 0;
    uint32_t ProductVersionLS = 0;
    uint32_t FileOS = 0;
    uint32_t FileType = 0;
    uint32_t FileSubType = 0;
};

// The texts of one version resource; empty where the resource has nothing.
struct TKxVersionInfo {
    std::string Comment;
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTradeMarks;
    std::string OriginalFileName;
    std::string PrivateBuild;
    std::string ProductName;
    std::string ProductVersion;
    std::string SpecialBuild;
    std::string FileOS;
    std::string FileType;
    std::string FileSubType;
};

// One loaded version block, queried by sub-block path as VerQueryValue does.
class TVersionBlock {
public:
    virtual ~TVersionBlock() = default;
    // The root "\": nothing when the block has no fixed information.
    virtual std::optional<TFixedVersion> FixedInfo() const = 0;
    // A string value by its full path, or nothing when it does not exist.
    virtual std::optional<std::string> Value(const std::string& subBlock) const = 0;
};

// "1.2.0.15": the high and low halves of both words, in decimal.
std::string VersionNumberText(uint32_t mostSignificant, uint32_t leastSignificant);

// "\StringFileInfo\040904E4\" for lnUSEnglish and csMultilingual.
std::string StringTablePrefix(TLanguage language, TCharacterSet characterSet);

// The texts of a block, with the string table of one language and
// character set. Without fixed information every text stays empty.
TKxVersionInfo ParseVersionBlock(const TVersionBlock& block, TLanguage language,
                                 TCharacterSet characterSet);

}  // namespace ostrel
