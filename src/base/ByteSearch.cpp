#include "base/ByteSearch.h"

#include <cstring>

namespace ostrel {

namespace {

// A pointer's width: four bytes on 32-bit Windows, eight on 64-bit.
using Word = std::size_t;
constexpr Word Ones = ~Word{0} / 0xFF;  // 0x01 in every byte
constexpr Word Highs = Ones * 0x80;

Word Load(const char* at)
{
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Nonzero when a byte of `word` is zero (exact for "any", not for "which").
Word ZeroByte(Word word)
{
    return (word - Ones) & ~word & Highs;
}

}  // namespace

bool HasByteAbove7F(std::string_view bytes)
{
    Word seen = 0;
    std::size_t i = 0;
    for (; i + sizeof(Word) <= bytes.size(); i += sizeof(Word)) {
        seen |= Load(bytes.data() + i);
    }
    for (; i < bytes.size(); ++i) {
        seen |= static_cast<unsigned char>(bytes[i]);
    }
    return (seen & Highs) != 0;
}

std::size_t FindEitherByte(std::string_view bytes, std::size_t from, char a, char b)
{
    const Word allA = Ones * static_cast<unsigned char>(a);
    const Word allB = Ones * static_cast<unsigned char>(b);
    std::size_t i = from;
    for (; i + sizeof(Word) <= bytes.size(); i += sizeof(Word)) {
        const Word word = Load(bytes.data() + i);
        if (ZeroByte(word ^ allA) | ZeroByte(word ^ allB)) {
            break;
        }
    }
    for (; i < bytes.size(); ++i) {
        if (bytes[i] == a || bytes[i] == b) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace ostrel
