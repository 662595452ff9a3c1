#include "lang/Ordinals.h"

#include "base/Ascii.h"

#include "lang/Persistent.h"

namespace ostrel {

namespace {

struct Identifier {
    const char* name;
    int32_t value;
};

const Identifier Cursors[] = {
    {"crDefault", 0},      {"crArrow", -2},     {"crCross", -3},      {"crIBeam", -4},
    {"crSizeNESW", -6},    {"crSizeNS", -7},    {"crSizeNWSE", -8},   {"crSizeWE", -9},
    {"crUpArrow", -10},    {"crHourGlass", -11}, {"crDrag", -12},     {"crNoDrop", -13},
    {"crHSplit", -14},     {"crVSplit", -15},   {"crMultiDrag", -16}, {"crSQLWait", -17},
    {"crNo", -18},         {"crAppStart", -19}, {"crHelp", -20},      {"crHandPoint", -21},
    {"crSizeAll", -22},    {"crSize", -22},
};

constexpr int32_t SystemColor = -16777216;  // 0xFF000000 plus the system-colour index

const Identifier Colors[] = {
    {"clBlack", 0},
    {"clMaroon", 128},
    {"clGreen", 32768},
    {"clOlive", 32896},
    {"clNavy", 8388608},
    {"clPurple", 8388736},
    {"clTeal", 8421376},
    {"clGray", 8421504},
    {"clSilver", 12632256},
    {"clRed", 255},
    {"clLime", 65280},
    {"clYellow", 65535},
    {"clBlue", 16711680},
    {"clFuchsia", 16711935},
    {"clAqua", 16776960},
    {"clWhite", 16777215},
    {"clMoneyGreen", 12639424},
    {"clSkyBlue", 15780518},
    {"clCream", 15793151},
    {"clMedGray", 10789024},
    {"clDefault", 536870912},
    {"clNone", 536870911},
    {"clScrollBar", SystemColor + 0},
    {"clBackground", SystemColor + 1},
    {"clActiveCaption", SystemColor + 2},
    {"clInactiveCaption", SystemColor + 3},
    {"clMenu", SystemColor + 4},
    {"clWindow", SystemColor + 5},
    {"clWindowFrame", SystemColor + 6},
    {"clMenuText", SystemColor + 7},
    {"clWindowText", SystemColor + 8},
    {"clCaptionText", SystemColor + 9},
    {"clActiveBorder", SystemColor + 10},
    {"clInactiveBorder", SystemColor + 11},
    {"clAppWorkSpace", SystemColor + 12},
    {"clHighlight", SystemColor + 13},
    {"clHighlightText", SystemColor + 14},
    {"clBtnFace", SystemColor + 15},
    {"clBtnShadow", SystemColor + 16},
    {"clGrayText", SystemColor + 17},
    {"clBtnText", SystemColor + 18},
    {"clInactiveCaptionText", SystemColor + 19},
    {"clBtnHighlight", SystemColor + 20},
    {"cl3DDkShadow", SystemColor + 21},
    {"cl3DLight", SystemColor + 22},
    {"clInfoText", SystemColor + 23},
    {"clInfoBk", SystemColor + 24},
    {"clHotLight", SystemColor + 26},
    {"clGradientActiveCaption", SystemColor + 27},
    {"clGradientInactiveCaption", SystemColor + 28},
    {"clMenuHighlight", SystemColor + 29},
    {"clMenuBar", SystemColor + 30},
};

const Identifier CharacterSets[] = {
    {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},       {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},          {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},       {"GB2312_CHARSET", 134},      {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},       {"TURKISH_CHARSET", 162},     {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178},      {"BALTIC_CHARSET", 186},      {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},        {"EASTEUROPE_CHARSET", 238},  {"OEM_CHARSET", 255},
};

int HexDigit(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Hexadecimal digits as the 32 bits they spell.
std::optional<int32_t> ParseHex(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::optional<int32_t> value;
    if (!text.empty() && text[0] == '$') {
        value = ParseHex(text.substr(1));
    } else if (!text.empty() && (text[0] == 'x' || text[0] == 'X')) {
        value = ParseHex(text.substr(1));
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        value = ParseHex(text.substr(2));
    } else {
        return ParseDecimal32(text, negative);
    }
    if (value && negative) {
        return static_cast<int32_t>(0u - static_cast<uint32_t>(*value));
    }
    return value;
}

template <std::size_t Count>
std::optional<int32_t> FindIdentifier(const Identifier (&table)[Count], std::string_view text)
{
    for (const Identifier& identifier : table) {
        if (SameName(identifier.name, text)) {
            return identifier.value;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<int32_t> StrToOrdinal(std::string_view text)
{
    if (auto value = ParseInteger(text)) {
        return value;
    }
    if (auto value = FindIdentifier(Cursors, text)) {
        return value;
    }
    if (auto value = FindIdentifier(Colors, text)) {
        return value;
    }
    if (auto value = FindIdentifier(CharacterSets, text)) {
        return value;
    }
    if (!text.empty() && text[0] == '#') {
        return ParseHex(text.substr(1));
    }
    return std::nullopt;
}

}  // namespace ostrel
