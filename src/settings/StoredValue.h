#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrel {

// An integer as the ini file stores it: decimal, or hexadecimal after "0x"
// when the text is longer than two characters. Text that does not parse,
// or does not fit 32 bits, gives back `current`.
int32_t ParseStoredInteger(std::string_view text, int32_t current);

bool ParseStoredBoolean(std::string_view text, bool current);

std::string StoredIntegerText(int32_t value);
std::string StoredBooleanText(bool value);

}  // namespace ostrel
