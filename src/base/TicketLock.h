#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace ostrel {

// A lock that serves its waiters in the order they came: a thread that
// waits is never overtaken, so no waiter starves. Not re-entrant.
class TicketLock {
public:
    void Lock()
    {
        std::unique_lock<std::mutex> guard(mutex_);
        const uint64_t ticket = next_++;
        ++waiting_;
        turn_.wait(guard, [&] { return serving_ == ticket; });
        --waiting_;
    }
    void Unlock()
    {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            ++serving_;
        }
        turn_.notify_all();
    }
    // Threads waiting for their turn now.
    std::size_t Waiting()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return waiting_;
    }

private:
    std::mutex mutex_;
    std::condition_variable turn_;
    uint64_t next_ = 0;
    uint64_t serving_ = 0;
    std::size_t waiting_ = 0;
};

class TicketLockGuard {
public:
    explicit TicketLockGuard(TicketLock& lock) : lock_(lock) { lock_.Lock(); }
    ~TicketLockGuard() { lock_.Unlock(); }
    TicketLockGuard(const TicketLockGuard&) = delete;
    TicketLockGuard& operator=(const TicketLockGuard&) = delete;

private:
    TicketLock& lock_;
};

}  // namespace ostrel
