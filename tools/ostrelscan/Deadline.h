#pragma once

#include <windows.h>

namespace ostrel::ostrelscan {

// Milliseconds left of one time budget; GetTickCount's wrap-around is harmless.
class Deadline {
public:
    explicit Deadline(DWORD milliseconds) : start_(GetTickCount()), budget_(milliseconds) {}

    DWORD Left() const
    {
        const DWORD used = GetTickCount() - start_;
        return used >= budget_ ? 0 : budget_ - used;
    }
    bool Passed() const { return Left() == 0; }
    DWORD Budget() const { return budget_; }

private:
    DWORD start_;
    DWORD budget_;
};

}  // namespace ostrel::ostrelscan
