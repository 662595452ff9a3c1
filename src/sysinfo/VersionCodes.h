#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// Languages a string table can be chosen by. The first 33 follow the
// primary language identifiers 0x0401 to 0x0421 in order.
enum class TLanguage : uint8_t {
    lnArabic,
    lnBulgarian,
    lnCatalan,
    lnTraditionalChinese,
    lnCzech,
    lnDanish,
    lnGerman,
    lnGreek,
    lnUSEnglish,
    lnCastilianSpanish,
    lnFinnish,
    lnFrench,
    lnHebrew,
    lnHungarian,
    lnIcelandic,
    lnItalian,
    lnJapanese,
    lnKorean,
    lnDutch,
    lnNorwegianBokmal,
    lnPolish,
    lnBrazilianPortuguese,
    lnRhaetoRomanic,
    lnRomanian,
    lnRussian,
    lnCroatoSerbian,
    lnSlovak,
    lnAlbanian,
    lnSwedish,
    lnThai,
    lnTurkish,
    lnUrdu,
    lnBahasa,
    lnSimplifiedChinese,
    lnSwissGerman,
    lnUKEnglish,
    lnMexicanSpanish,
    lnBelgianFrench,
    lnSwissItalian,
    lnBelgianDutch,
    lnNorwegianNynorsk,
    lnPortuguese,
    lnSerboCroatian,
    lnCanadianFrench,
    lnSwissFrench,
};

enum class TCharacterSet : uint8_t {
    csASCII,
    csJapan,
    csKorea,
    csTaiwan,
    csUnicode,
    csLatin2,
    csCyrillic,
    csMultilingual,
    csGreek,
    csTurkish,
    csHebrew,
    csArabic,
};

// The Windows language identifier; raises std::out_of_range for a value
// outside the enumeration.
uint16_t LanguageToLangId(TLanguage language);
// The code page; raises std::out_of_range like LanguageToLangId.
uint16_t CharacterSetToCodePage(TCharacterSet characterSet);

// Readable names of the operating-system, file-type and subtype codes of
// the fixed version information. The subtype has a name only for drivers
// and fonts and is empty for every other file type.
std::string FileOSText(uint32_t fileOS);
std::string FileTypeText(uint32_t fileType);
std::string FileSubTypeText(uint32_t fileType, uint32_t fileSubType);

}  // namespace ostrel
