#pragma once

#include <windows.h>

#include <string>

namespace ostrel {

// A scanner's report to standard output: the bytes as they are, whatever
// the console's code page, in one write, so the end marker cannot come
// before the rest of the report.
inline void PrintReport(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace ostrel
