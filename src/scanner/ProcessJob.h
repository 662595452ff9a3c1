#pragma once

#include "base/UniqueResource.h"

#include <string>

namespace ostrel {

// The exit code of every process Ostrel ends: an error code in the
// customer range (bit 29), "OS" in its middle. No system status and no
// scanner's own code looks like it, and it never reads as "clean".
constexpr UINT EndedByOstrel = 0xE04F5301;

// A job object around one started process and everything it starts, so a
// run that is given up can be ended whole. Closing the job ends nothing
// unless EndOnClose was called: a run that ended in time leaves its
// children alone.
class TProcessJob {
public:
    // Puts a process that has not run yet into a new job. Where the system
    // cannot (no jobs, or the host sits in a job that allows no nesting),
    // the job stays empty and Failure() names the call that failed.
    void Assign(HANDLE process);
    bool Active() const { return static_cast<bool>(job_); }
    const std::string& Failure() const { return failure_; }
    // Ends every process of the job.
    bool Terminate(UINT exitCode);
    // No process of the job runs any more; false also when the system
    // cannot say.
    bool Empty() const;
    // From now on, closing the job's last handle ends its processes, also
    // when this process ends without closing it.
    bool EndOnClose();
    void Close();

private:
    UniqueHandle job_;
    std::string failure_;
};

}  // namespace ostrel
