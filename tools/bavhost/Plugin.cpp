#include "bavhost/Plugin.h"

#include <algorithm>

namespace ostrel::bavhost {
namespace {

template <typename Function>
void Bind(HMODULE module, const char* name, Function& target, std::string& missing)
{
    FARPROC proc = GetProcAddress(module, name);
    if (!proc) {
        missing += (missing.empty() ? "" : ", ") + std::string(name);
    }
    target = reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

}  // namespace

std::string BindAll(HMODULE module, Plugin& p)
{
    std::string missing;
    Bind(module, "BAV_Initialize", p.initialize, missing);
    Bind(module, "BAV_Uninitialize", p.uninitialize, missing);
    Bind(module, "BAV_ComNeeded", p.comNeeded, missing);
    Bind(module, "BAV_ConfigNeeded", p.configNeeded, missing);
    Bind(module, "BAV_Setup", p.setup, missing);
    Bind(module, "BAV_SetCfgData", p.setCfgData, missing);
    Bind(module, "BAV_GetCfgData", p.getCfgData, missing);
    Bind(module, "BAV_GetStatus", p.getStatus, missing);
    Bind(module, "BAV_MemoryChecking", p.memoryChecking, missing);
    Bind(module, "BAV_FileChecking", p.fileChecking, missing);
    Bind(module, "BAV_StreamChecking", p.streamChecking, missing);
    Bind(module, "BAV_GetName", p.getName, missing);
    Bind(module, "BAV_GetVersion", p.getVersion, missing);
    Bind(module, "BAV_CheckFile", p.checkFile, missing);
    Bind(module, "BAV_CureFile", p.cureFile, missing);
    return missing;
}

// The plug-in copies without a terminator; the spare byte also keeps a
// plug-in that writes one anyway inside the buffer.
std::string Text(GetText get)
{
    const int32_t kLimit = 4096;  // a wild length must not become a wild allocation
    const int32_t length = std::min(get(nullptr, 0), kLimit);
    if (length <= 0) {
        return {};
    }
    std::string text(length + 1, '\0');
    text.resize(std::clamp(get(&text[0], length), 0, length));
    return text;
}

}  // namespace ostrel::bavhost
