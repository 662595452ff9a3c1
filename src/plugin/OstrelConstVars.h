#pragma once

#include "base/CriticalSection.h"
#include "base/TicketLock.h"
#include "lang/MessageTexts.h"
#include "log/LogFacade.h"
#include "log/TextLog.h"
#include "plugin/StatusCodes.h"
#include "scanner/CureGrace.h"
#include "settings/Config.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace ostrel {

// The plug-in status. Atomic: the host calls the exports from several
// threads at once.
extern std::atomic<PluginStatus> OstrelStatus;

// The mutable process-wide state of one loaded plug-in. Only the plug-in
// layer (src/plugin) touches it; it hands the other parts what they need.
struct PluginState {
    PluginState();
    ~PluginState();
    PluginState(const PluginState&) = delete;
    PluginState& operator=(const PluginState&) = delete;

    // Requests wait for their turn in arrival order, then hold ScanLock.
    TicketLock ScanQueue;
    CriticalSection ScanLock;
    std::atomic<DWORD> ScanThread{0};  // the thread whose request holds ScanLock
    std::string PluginFileName;
    std::string PluginVersion;
    TConfig Config;
    TOstrelLog Log;
    TMessageTexts Messages;  // names a text that does not fit in LogFacade
    std::atomic_flag JobFailureLogged = ATOMIC_FLAG_INIT;
    TLogFacade LogFacade;
    // Cures past their time limit; what is left of them is ended at
    // BAV_Uninitialize and when the plug-in goes.
    TCureGrace CureGrace;
};

// Made on first use rather than under the loader lock; freed at unload.
PluginState& Plugin();

// The plug-in's log, as the parts take it.
LogSink& PluginLog();

// Called from DllMain with the plug-in's own module handle.
void SetPluginModule(void* module);
// Called from DllMain when the plug-in goes because the process ends.
void NoteProcessExit();

}  // namespace ostrel
