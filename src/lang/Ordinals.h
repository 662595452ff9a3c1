#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ostrel {

// An integer-like property value as a language file writes it: a number
// (decimal, or hexadecimal after "$", "x" or "0x"), a cursor, colour or
// character-set identifier, or "#" and hexadecimal digits.
std::optional<int32_t> StrToOrdinal(std::string_view text);

}  // namespace ostrel
