#include "base/WinError.h"

#include "base/Exception.h"
#include "base/Format.h"

#include <windows.h>

namespace ostrel {

std::string SystemErrorMessage(uint32_t code, const std::string& subject)
{
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                          buffer[length - 1] == ' ' || buffer[length - 1] == '.')) {
        --length;
    }
    std::string text(buffer, length);
    std::size_t insert = text.find("%1");
    return insert == std::string::npos ? text : text.replace(insert, 2, subject);
}

void RaiseOSError(uint32_t code, const char* call)
{
    if (code == 0) {
        throw EOSError("Ein Aufruf einer Betriebssystemfunktion ist fehlgeschlagen", call);
    }
    throw EOSError(Format("Systemfehler.  Code: %d.\r\n%s", {code, SystemErrorMessage(code)}), call);
}

void RaiseLastOSError(const char* call)
{
    RaiseOSError(GetLastError(), call);
}

}  // namespace ostrel
