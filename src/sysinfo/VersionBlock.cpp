#include "sysinfo/VersionBlock.h"

#include "base/Format.h"

#include <utility>

namespace ostrel {

namespace {

struct StringValue {
    const char* name;
    std::string TKxVersionInfo::*text;
};

// The names are matched as written here: "Comment", not the usual
// "Comments". FileVersion always comes from the fixed information.
constexpr StringValue StringValues[] = {
    {"Comment", &TKxVersionInfo::Comment},
    {"CompanyName", &TKxVersionInfo::CompanyName},
    {"FileDescription", &TKxVersionInfo::FileDescription},
    {"InternalName", &TKxVersionInfo::InternalName},
    {"LegalCopyright", &TKxVersionInfo::LegalCopyright},
    {"LegalTradeMarks", &TKxVersionInfo::LegalTradeMarks},
    {"OriginalFileName", &TKxVersionInfo::OriginalFileName},
    {"PrivateBuild", &TKxVersionInfo::PrivateBuild},
    {"ProductName", &TKxVersionInfo::ProductName},
    {"ProductVersion", &TKxVersionInfo::ProductVersion},
    {"SpecialBuild", &TKxVersionInfo::SpecialBuild},
};

}  // namespace

std::string VersionNumberText(uint32_t mostSignificant, uint32_t leastSignificant)
{
    return Format("%d.%d.%d.%d", {mostSignificant >> 16, mostSignificant & 0xFFFF,
                                  leastSignificant >> 16, leastSignificant & 0xFFFF});
}

std::string StringTablePrefix(TLanguage language, TCharacterSet characterSet)
{
    return Format("\\StringFileInfo\\%.4x%.4x\\",
                  {LanguageToLangId(language), CharacterSetToCodePage(characterSet)});
}

TKxVersionInfo ParseVersionBlock(const TVersionBlock& block, TLanguage language,
                                 TCharacterSet characterSet)
{
    TKxVersionInfo info;
    const std::optional<TFixedVersion> fixed = block.FixedInfo();
    if (!fixed) {
        return info;
    }
    info.FileVersion = VersionNumberText(fixed->FileVersionMS, fixed->FileVersionLS);
    info.ProductVersion = VersionNumberText(fixed->ProductVersionMS, fixed->ProductVersionLS);
    info.FileOS = FileOSText(fixed->FileOS);
    info.FileType = FileTypeText(fixed->FileType);
    info.FileSubType = FileSubTypeText(fixed->FileType, fixed->FileSubType);

    const std::string prefix = StringTablePrefix(language, characterSet);
    for (const StringValue& value : StringValues) {
        if (std::optional<std::string> text = block.Value(prefix + value.name)) {
            info.*value.text = std::move(*text);
        }
    }
    return info;
}

}  // namespace ostrel
