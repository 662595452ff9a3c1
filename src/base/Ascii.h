#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// Character and number rules that ignore the code page: names, keys,
// format directives and counts are plain ASCII.

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text);

// Equal when ASCII letters are compared without regard to case.
bool SameName(std::string_view a, std::string_view b);

// Decimal digits, nothing else, as a 32-bit value with the given sign;
// empty when that is not a number of that range. Leading zeros are allowed.
std::optional<int32_t> ParseDecimal32(std::string_view digits, bool negative);

// An optional "+" or "-", then decimal digits as ParseDecimal32 takes them.
std::optional<int32_t> ParseInteger32(std::string_view text);

}  // namespace ostrel
