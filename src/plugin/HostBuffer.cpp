#include "plugin/HostBuffer.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace ostrel {

namespace {

constexpr std::size_t MaxHostMessage = 1023;

// A bad pointer from the host makes the copy fail instead of crashing its process.
bool CopyToHostMemory(void* target, const void* source, std::size_t count)
{
    SIZE_T written = 0;
    return WriteProcessMemory(GetCurrentProcess(), target, source, count, &written) &&
           written == count;
}

}  // namespace

int32_t CopyToHostBuffer(const std::string& text, char* buffer, int32_t size)
{
    const int32_t length = static_cast<int32_t>(text.size());
    if (buffer == nullptr || size < 0) {
        return length;
    }
    const int32_t count = std::min(size, length);
    if (count > 0 && !CopyToHostMemory(buffer, text.data(), static_cast<std::size_t>(count))) {
        return 0;
    }
    return count;
}

void CopyMessageToHost(const std::string& text, char* buffer)
{
    if (buffer == nullptr || text.empty()) {
        return;
    }
    std::size_t count = strnlen(text.c_str(), std::min(text.size(), MaxHostMessage));
    std::string message = text.substr(0, count);
    CopyToHostMemory(buffer, message.c_str(), count + 1);
}

}  // namespace ostrel
