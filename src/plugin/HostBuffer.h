#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// Copies a text into a host buffer without a terminating zero. A null
// buffer or a negative size asks for the length; a copy that fails gives 0.
int32_t CopyToHostBuffer(const std::string& text, char* buffer, int32_t size);

// Copies at most 1023 characters, stopping at a zero byte, and a zero.
// An empty text leaves the buffer untouched.
void CopyMessageToHost(const std::string& text, char* buffer);

}  // namespace ostrel
