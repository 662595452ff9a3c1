#pragma once

#include "base/CriticalSection.h"
#include "scanner/ProcessTree.h"

#include <memory>
#include <vector>

namespace ostrel {

// Cures that ran past their time limit, each given time to finish before
// its tree is ended. The timers run in the system's timer thread; the
// owner ends what is left before its code goes away (uninitialize,
// unload), so no timer outlives it.
class TCureGrace {
public:
    TCureGrace() = default;
    ~TCureGrace();
    TCureGrace(const TCureGrace&) = delete;
    TCureGrace& operator=(const TCureGrace&) = delete;

    // Ends `tree` after `milliseconds`, or at once when no timer can be
    // made. Its job now ends it also when the host process dies.
    void Give(TProcessTree tree, DWORD milliseconds);
    // Ends every tree still in grace, now. At process exit the system's
    // timer thread is gone already: then no timer is waited for.
    void EndAll(bool processExit = false);

private:
    struct Entry {
        TProcessTree tree;
        HANDLE timer = nullptr;
    };
    static void CALLBACK GraceOver(void* entry, BOOLEAN);
    void DropEnded();
    static void Delete(Entry& entry);

    CriticalSection lock_;
    std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace ostrel
