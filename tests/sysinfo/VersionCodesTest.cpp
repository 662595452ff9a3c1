#include "sysinfo/VersionCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace ostrel {
namespace {

TEST(VersionCodes, LanguageIdentifiersAndCodePages)
{
    EXPECT_EQ(LanguageToLangId(TLanguage::lnArabic), 0x0401);
    EXPECT_EQ(LanguageToLangId(TLanguage::lnUSEnglish), 0x0409);
    EXPECT_EQ(LanguageToLangId(TLanguage::lnBahasa), 0x0421);
    EXPECT_EQ(LanguageToLangId(TLanguage::lnSimplifiedChinese), 0x0804);
    EXPECT_EQ(LanguageToLangId(TLanguage::lnSwissFrench), 0x100C);
    std::set<uint16_t> identifiers;
    for (int ordinal = 0; ordinal <= static_cast<int>(TLanguage::lnSwissFrench); ++ordinal) {
        identifiers.insert(LanguageToLangId(static_cast<TLanguage>(ordinal)));
    }
    EXPECT_EQ(identifiers.size(), 45u);
    EXPECT_THROW(LanguageToLangId(static_cast<TLanguage>(45)), std::out_of_range);

    EXPECT_EQ(CharacterSetToCodePage(TCharacterSet::csASCII), 0);
    EXPECT_EQ(CharacterSetToCodePage(TCharacterSet::csMultilingual), 1252);
    EXPECT_EQ(CharacterSetToCodePage(TCharacterSet::csArabic), 1256);
    EXPECT_THROW(CharacterSetToCodePage(static_cast<TCharacterSet>(12)), std::out_of_range);
}

// The usual codes are read from real files in KxVersionTest; these are the edges.
TEST(VersionCodes, CodesWithoutAName)
{
    EXPECT_EQ(FileOSText(0), "Unknown");
    EXPECT_EQ(FileTypeText(6), "Unknown");
    EXPECT_EQ(FileSubTypeText(3, 0), "Unknown");
    EXPECT_EQ(FileSubTypeText(3, 10), "Communications");
    EXPECT_EQ(FileSubTypeText(3, 11), "Unknown");
    EXPECT_EQ(FileSubTypeText(4, 4), "Unknown");
    // Only drivers and fonts have subtypes.
    EXPECT_EQ(FileSubTypeText(1, 3), "");
    EXPECT_EQ(FileSubTypeText(5, 1), "");
}

}  // namespace
}  // namespace ostrel
