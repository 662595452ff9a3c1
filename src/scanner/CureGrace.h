#pragma once

#include "base/CriticalSection.h"
#include "scanner/StartedProcess.h"

#include <memory>
#include <vector>

namespace ostrel {

// Cures that ran past their time limit, each given time to finish before
// its tree is ended. Meanwhile its output is read and dropped, so a cure
// that still prints can finish its repair. The timers and the reads run in
// the system's timer and wait threads; the owner ends what is left before
// its code goes away (uninitialize, unload), so none of them outlives it.
class TCureGrace {
public:
    TCureGrace() = default;
    ~TCureGrace();
    TCureGrace(const TCureGrace&) = delete;
    TCureGrace& operator=(const TCureGrace&) = delete;

    // Ends `process` after `milliseconds`, or at once when the system gives
    // no timer or wait for it. Its job now ends it also when the host
    // process dies.
    void Give(TStartedProcess process, DWORD milliseconds) noexcept;
    // Ends every tree still in grace, now. At process exit the system's
    // threads are gone already: then nothing is waited for.
    void EndAll(bool processExit = false);

private:
    struct Entry {
        TStartedProcess process;
        HANDLE timer = nullptr;
        HANDLE outputWait = nullptr;
    };
    static bool Arm(Entry& entry, DWORD milliseconds);
    static void CALLBACK GraceOver(void* entry, BOOLEAN);
    static void CALLBACK OutputArrived(void* entry, BOOLEAN);
    void DropEnded();
    static void Disarm(Entry& entry);

    CriticalSection lock_;
    std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace ostrel
