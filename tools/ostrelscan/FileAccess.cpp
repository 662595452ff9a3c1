#include "FileAccess.h"

#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <windows.h>

namespace ostrel::ostrelscan {

Verdict CannotOpen(const std::string& file, uint32_t error)
{
    return Verdict::Error("cannot open " + file + ": " + SystemErrorMessage(error, file) +
                          "\nReal-time protection (Microsoft Defender, say) may have removed or locked it.");
}

std::optional<Verdict> OpenFailure(const std::string& file)
{
    const UniqueFile input(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    if (input) {
        return std::nullopt;
    }
    return CannotOpen(file, GetLastError());
}

}  // namespace ostrel::ostrelscan
