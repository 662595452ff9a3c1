#pragma once

#include "sysinfo/VersionBlock.h"

#include <string>
#include <vector>

namespace ostrel::test {

// All fifteen texts in declaration order, to see at once that none is left.
inline std::vector<std::string> AllTexts(const TKxVersionInfo& info)
{
    return {info.Comment,         info.CompanyName,      info.FileDescription,
            info.FileVersion,     info.InternalName,     info.LegalCopyright,
            info.LegalTradeMarks, info.OriginalFileName, info.PrivateBuild,
            info.ProductName,     info.ProductVersion,   info.SpecialBuild,
            info.FileOS,          info.FileType,         info.FileSubType};
}

inline const std::vector<std::string> NoTexts(15);

}  // namespace ostrel::test
