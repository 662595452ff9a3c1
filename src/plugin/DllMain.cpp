#include "plugin/OstrelConstVars.h"

#include <windows.h>

// Runs under the loader lock: only remember the module, and whether the
// process is ending. The process-wide objects are made on first use and
// freed with the module's statics, after this.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ostrel::SetPluginModule(module);
        DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH && reserved != nullptr) {
        ostrel::NoteProcessExit();
    }
    return TRUE;
}
