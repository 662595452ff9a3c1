#include "plugin/OstrelConstVars.h"

#include <windows.h>

// Runs under the loader lock: only remember the module. The process-wide
// objects are made on first use and freed with the module's statics.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ostrel::SetPluginModule(module);
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
