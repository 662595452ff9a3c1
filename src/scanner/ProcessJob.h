#pragma once

#include "base/UniqueResource.h"

#include <string>

namespace ostrel {

// A job object around one started process and everything it starts, so a
// run that is given up can be ended whole. Closing the job ends nothing:
// it has no kill-on-close, so a run that ended in time leaves its children
// alone.
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
    void Close();

private:
    UniqueHandle job_;
    std::string failure_;
};

}  // namespace ostrel
