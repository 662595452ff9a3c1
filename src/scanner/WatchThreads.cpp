#include "scanner/WatchThreads.h"

#include "base/CriticalSection.h"
#include "base/Handles.h"
#include "base/WinError.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace ostrel {

namespace {

constexpr std::size_t ReadPieceSize = 1024;
constexpr std::size_t LargestGrowableCapacity = 65536;

struct ThreadStart {
    std::function<void()> body;
    HMODULE module = nullptr;
};

DWORD WINAPI WatcherEntry(void* parameter)
{
    HMODULE module = nullptr;
    {
        std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
        module = start->module;
        try {
            start->body();
        } catch (...) {
        }
    }
    FreeLibraryAndExitThread(module, 0);
}

// Starts a thread below normal priority that keeps this module loaded until
// it has left the module's code: a detached watcher may outlive the plug-in's
// last call.
UniqueHandle StartWatcherThread(std::function<void()> body)
{
    auto start = std::make_unique<ThreadStart>();
    start->body = std::move(body);
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&WatcherEntry), &start->module)) {
        RaiseLastOSError();
    }
    UniqueHandle thread(CreateThread(nullptr, 0, WatcherEntry, start.get(), CREATE_SUSPENDED, nullptr));
    if (!thread) {
        DWORD error = GetLastError();
        FreeLibrary(start->module);
        RaiseOSError(error);
    }
    start.release();
    SetThreadPriority(thread.get(), THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(thread.get());
    return thread;
}

// Wakes a thread blocked in a synchronous read, where the system can.
void CancelBlockedRead(HANDLE thread)
{
    using CancelSynchronousIoFunction = BOOL(WINAPI*)(HANDLE);
    static const auto cancel = reinterpret_cast<CancelSynchronousIoFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                    "CancelSynchronousIo")));
    if (cancel != nullptr && thread != nullptr) {
        cancel(thread);
    }
}

}  // namespace

struct TProcessWaitThread::Shared {
    CriticalSection lock;
    UniqueHandle process;
    UniqueHandle stopEvent;
    HWND window = nullptr;
    uintptr_t serial = 0;
    bool stopped = false;
    uint32_t exitCode = 0;

    void Run()
    {
        WaitForInputIdle(process.get(), INFINITE);
        HANDLE handles[] = {stopEvent.get(), process.get()};
        DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        CriticalSectionLock guard(lock);
        DWORD code = 0;
        if (result == WAIT_OBJECT_0) {
            exitCode = 0xFFFFFFFF;
        } else if (result == WAIT_OBJECT_0 + 1 && GetExitCodeProcess(process.get(), &code)) {
            exitCode = code;
        }
        if (!stopped) {
            PostMessageA(window, WM_RUNNER_WAIT_DONE, 0, serial);
        }
    }
};

TProcessWaitThread::TProcessWaitThread(HANDLE process, HWND notifyWindow, uintptr_t serial)
    : shared_(std::make_shared<Shared>())
{
    shared_->process = DuplicateLocalHandle(process, false);
    shared_->stopEvent.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!shared_->stopEvent) {
        RaiseLastOSError();
    }
    shared_->window = notifyWindow;
    shared_->serial = serial;
    std::shared_ptr<Shared> shared = shared_;
    StartWatcherThread([shared] { shared->Run(); });
}

TProcessWaitThread::~TProcessWaitThread()
{
    Stop();
}

void TProcessWaitThread::Stop()
{
    CriticalSectionLock guard(shared_->lock);
    shared_->stopped = true;
    SetEvent(shared_->stopEvent.get());
}

uint32_t TProcessWaitThread::ExitCode() const
{
    CriticalSectionLock guard(shared_->lock);
    return shared_->exitCode;
}

TConsoleWaitThread::TConsoleWaitThread(HANDLE process, UniqueHandle inputWriteEnd,
                                       HWND notifyWindow, uintptr_t serial)
    : TProcessWaitThread(process, notifyWindow, serial), inputWriteEnd_(std::move(inputWriteEnd))
{
}

struct TPipeReadThread::Shared {
    CriticalSection lock;
    UniqueHandle readEnd;
    HWND window = nullptr;
    uintptr_t serial = 0;
    bool stopped = false;
    bool processEnded = false;
    std::vector<char> buffer = std::vector<char>(ReadPieceSize);
    std::size_t size = 0;

    void Run()
    {
        char piece[ReadPieceSize];
        while (!Finished()) {
            DWORD count = 0;
            if (ReadFile(readEnd.get(), piece, sizeof piece, &count, nullptr)) {
                Store(piece, count);
                continue;
            }
            DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE) {
                break;
            }
            if (error != ERROR_OPERATION_ABORTED) {
                Sleep(10);  // an unexpected error is retried, but not in a busy loop
            }
        }
        CriticalSectionLock guard(lock);
        if (!stopped) {
            PostMessageA(window, WM_RUNNER_READ_DONE, 0, serial);
        }
    }

    // Once the process has ended, reading stops when the pipe is empty, even
    // if a process it started still holds the pipe open.
    bool Finished()
    {
        CriticalSectionLock guard(lock);
        if (stopped) {
            return true;
        }
        DWORD available = 0;
        return processEnded &&
               (!PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr) ||
                available == 0);
    }

    void Store(const char* bytes, std::size_t count)
    {
        if (count == 0) {
            return;
        }
        CriticalSectionLock guard(lock);
        if (size + count > buffer.size()) {
            if (buffer.size() <= LargestGrowableCapacity) {
                buffer.resize(buffer.size() * 2);
            } else {
                size = 0;
            }
        }
        std::memcpy(buffer.data() + size, bytes, count);
        size += count;
        if (!stopped) {
            PostMessageA(window, WM_RUNNER_OUTPUT, 0, serial);
        }
    }
};

TPipeReadThread::TPipeReadThread(UniqueHandle readEnd, HWND notifyWindow, uintptr_t serial)
    : shared_(std::make_shared<Shared>())
{
    shared_->readEnd = std::move(readEnd);
    shared_->window = notifyWindow;
    shared_->serial = serial;
    std::shared_ptr<Shared> shared = shared_;
    thread_ = StartWatcherThread([shared] { shared->Run(); });
}

TPipeReadThread::~TPipeReadThread()
{
    Stop();
}

void TPipeReadThread::Stop()
{
    {
        CriticalSectionLock guard(shared_->lock);
        shared_->stopped = true;
    }
    CancelBlockedRead(thread_.get());
}

void TPipeReadThread::ProcessEnded()
{
    {
        CriticalSectionLock guard(shared_->lock);
        shared_->processEnded = true;
    }
    CancelBlockedRead(thread_.get());
}

bool TPipeReadThread::TakeChunk(char* target, std::size_t capacity, std::size_t& count)
{
    CriticalSectionLock guard(shared_->lock);
    if (shared_->size == 0) {
        return false;
    }
    count = std::min(capacity, shared_->size);
    std::memcpy(target, shared_->buffer.data(), count);
    std::memmove(shared_->buffer.data(), shared_->buffer.data() + count, shared_->size - count);
    shared_->size -= count;
    return true;
}

}  // namespace ostrel
