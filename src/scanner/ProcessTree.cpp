#include "scanner/ProcessTree.h"

#include <algorithm>

namespace ostrel {

namespace {

// How often a dying job is asked whether it is empty: it usually is at
// the first question.
constexpr DWORD JobPollMilliseconds = 10;

}  // namespace

void TProcessTree::Adopt(UniqueHandle process)
{
    Process = std::move(process);
    Job.Assign(Process.get());
}

bool TProcessTree::End()
{
    if (Job.Terminate(EndedByOstrel)) {
        return true;
    }
    return Process && TerminateProcess(Process.get(), EndedByOstrel) != FALSE;
}

// The process first, so only a tree whose root is gone is polled.
bool TProcessTree::WaitUntilEnded(DWORD milliseconds) const
{
    const DWORD start = GetTickCount();
    if (Process && WaitForSingleObject(Process.get(), milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    if (!Job.Active()) {
        return true;
    }
    for (;;) {
        if (Job.Empty()) {
            return true;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) {
            return false;
        }
        Sleep(std::min(JobPollMilliseconds, milliseconds - elapsed));
    }
}

}  // namespace ostrel
