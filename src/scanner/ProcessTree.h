#pragma once

#include "base/UniqueResource.h"
#include "scanner/ProcessJob.h"

namespace ostrel {

// How long a run that was given up waits, after ending its tree, for the
// tree to be gone before it answers.
constexpr DWORD TreeEndWaitMilliseconds = 2000;

// A started process and, where the system gives it one, the job that holds
// it and everything it starts: what must be ended when its run is given up.
struct TProcessTree {
    UniqueHandle Process;
    TProcessJob Job;

    // Puts a process that has not run yet into a job of its own; without
    // one (see Job.Failure()) only the process itself can be ended.
    void Adopt(UniqueHandle process);
    // Ends the job's processes with EndedByOstrel. Without a job, or when
    // the job cannot be ended, the process is ended through its handle.
    bool End();
    // Waits, at most `milliseconds`, until none of them runs.
    bool WaitUntilEnded(DWORD milliseconds) const;
};

}  // namespace ostrel
