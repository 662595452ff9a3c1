#include "base/AnsiString.h"

namespace ostrel {

namespace {

unsigned char UpperOf(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
    }
}

// Scanner output runs to megabytes: one lookup per byte.
struct UpperTable {
    UpperTable()
    {
        for (int c = 0; c < 256; ++c) {
            bytes[c] = static_cast<char>(UpperOf(static_cast<unsigned char>(c)));
        }
    }
    char bytes[256];
};

const UpperTable& Upper()
{
    static const UpperTable table;
    return table;
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string AnsiUpperCase(std::string_view text)
{
    const UpperTable& upper = Upper();
    std::string result(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        result[i] = upper.bytes[static_cast<unsigned char>(text[i])];
    }
    return result;
}

char AnsiUpperCase(char c)
{
    return Upper().bytes[static_cast<unsigned char>(c)];
}

bool AnsiUpperEquals(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size()) {
        return false;
    }
    const UpperTable& table = Upper();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (table.bytes[static_cast<unsigned char>(text[i])] != upper[i]) {
            return false;
        }
    }
    return true;
}

std::string TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string CutWithEllipsis(std::string_view text, std::size_t limit)
{
    std::string cut;
    AppendCutWithEllipsis(cut, text, limit);
    return cut;
}

void AppendCutWithEllipsis(std::string& to, std::string_view text, std::size_t limit)
{
    if (text.size() <= limit) {
        to.append(text);
        return;
    }
    constexpr std::string_view Ellipsis = "...";
    to.append(text.substr(0, limit > Ellipsis.size() ? limit - Ellipsis.size() : 0));
    to.append(Ellipsis.substr(0, limit));
}

}  // namespace ostrel
