#include "base/AnsiString.h"

namespace ostrel {

namespace {

unsigned char UpperByte(unsigned char c)
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

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string AnsiUpperCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
    }
    return result;
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
    if (text.size() <= limit) {
        return std::string(text);
    }
    constexpr std::string_view Ellipsis = "...";
    return std::string(text.substr(0, limit > Ellipsis.size() ? limit - Ellipsis.size() : 0)) +
           std::string(Ellipsis.substr(0, limit));
}

}  // namespace ostrel
