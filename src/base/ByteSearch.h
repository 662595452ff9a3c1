#pragma once

#include <cstddef>
#include <string_view>

namespace ostrel {

// Searches over scanner output, which runs to megabytes, sixteen bytes at
// a time where the processor can: the C runtime's memchr is a byte loop on
// some systems (Wine's).

// A byte of 0x80 or above, where a code page other than ASCII starts.
bool HasByteAbove7F(std::string_view bytes);

// The position of the first `a` or `b` at or after `from`; npos if none.
std::size_t FindEitherByte(std::string_view bytes, std::size_t from, char a, char b);

}  // namespace ostrel
