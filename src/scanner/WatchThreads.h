#pragma once

#include "base/UniqueResource.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace ostrel {

// Messages a watcher thread posts to its owner's notify window. lParam
// carries the run's serial, so a notice of an earlier run is ignored.
constexpr UINT WM_RUNNER_OUTPUT = WM_USER + 1;
constexpr UINT WM_RUNNER_WAIT_DONE = WM_USER + 2;
constexpr UINT WM_RUNNER_READ_DONE = WM_USER + 3;

// Waits for the end of a process, below normal priority. The thread keeps
// its own state and a reference on this module, so it may outlive its
// owner: once stopped, it posts nothing.
class TProcessWaitThread {
public:
    TProcessWaitThread(HANDLE process, HWND notifyWindow, uintptr_t serial);
    virtual ~TProcessWaitThread();
    TProcessWaitThread(const TProcessWaitThread&) = delete;
    TProcessWaitThread& operator=(const TProcessWaitThread&) = delete;

    void Stop();
    // The process's exit code, or 0xFFFFFFFF when the wait was stopped.
    uint32_t ExitCode() const;
    virtual bool IsConsole() const { return false; }

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// The wait thread of a redirected run; it holds the parent's end of the
// child's standard input until the run is over.
class TConsoleWaitThread : public TProcessWaitThread {
public:
    TConsoleWaitThread(HANDLE process, UniqueHandle inputWriteEnd, HWND notifyWindow,
                       uintptr_t serial);
    bool IsConsole() const override { return true; }

private:
    UniqueHandle inputWriteEnd_;
};

// Reads the child's output pipe into a buffer that grows from 1 KiB to
// 128 KiB, posting one notice per piece read. When the owner lags behind
// by more, the held bytes are dropped rather than blocking the child.
class TPipeReadThread {
public:
    TPipeReadThread(UniqueHandle readEnd, HWND notifyWindow, uintptr_t serial);
    ~TPipeReadThread();
    TPipeReadThread(const TPipeReadThread&) = delete;
    TPipeReadThread& operator=(const TPipeReadThread&) = delete;

    void Stop();
    // The process has ended: read what is left in the pipe, then finish.
    void ProcessEnded();
    // Takes up to `capacity` held bytes; false when none are held.
    bool TakeChunk(char* target, std::size_t capacity, std::size_t& count);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    UniqueHandle thread_;
};

}  // namespace ostrel
