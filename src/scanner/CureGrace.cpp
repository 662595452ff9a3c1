#include "scanner/CureGrace.h"

namespace ostrel {

TCureGrace::~TCureGrace()
{
    EndAll();
}

void TCureGrace::Give(TStartedProcess process, DWORD milliseconds) noexcept
{
    CriticalSectionLock lock(lock_);
    DropEnded();
    process.Tree.Job.EndOnClose();
    std::unique_ptr<Entry> entry;
    try {
        entry = std::make_unique<Entry>();
        entries_.reserve(entries_.size() + 1);  // nothing may fail once it is armed
    } catch (...) {
        process.Tree.End();
        return;
    }
    entry->process = std::move(process);
    if (!Arm(*entry, milliseconds)) {
        entry->process.Tree.End();
        Disarm(*entry);
        return;
    }
    entries_.push_back(std::move(entry));
}

void TCureGrace::EndAll(bool processExit)
{
    CriticalSectionLock lock(lock_);
    for (std::unique_ptr<Entry>& entry : entries_) {
        entry->process.Tree.End();
        if (processExit) {
            static_cast<void>(entry.release());  // left to the exit: nothing may wait for those threads
        } else {
            Disarm(*entry);
        }
    }
    entries_.clear();
}

// The timer ends the tree; a wait reads the pipe whenever a piece is in.
bool TCureGrace::Arm(Entry& entry, DWORD milliseconds)
{
    if (!CreateTimerQueueTimer(&entry.timer, nullptr, GraceOver, &entry, milliseconds, 0,
                               WT_EXECUTEINTIMERTHREAD | WT_EXECUTEONLYONCE)) {
        entry.timer = nullptr;
        return false;
    }
    // Without an event nothing of the pipe is left to read.
    const HANDLE output = entry.process.Output ? entry.process.Output->Event() : nullptr;
    if (output != nullptr && !RegisterWaitForSingleObject(&entry.outputWait, output, OutputArrived, &entry, INFINITE,
                                                          WT_EXECUTEINWAITTHREAD)) {
        entry.outputWait = nullptr;
        return false;
    }
    return true;
}

// The callbacks run in the system's threads: each touches only its part
// of its own entry, which stays until they are disarmed.
void CALLBACK TCureGrace::GraceOver(void* entry, BOOLEAN)
{
    static_cast<Entry*>(entry)->process.Tree.End();
}

void CALLBACK TCureGrace::OutputArrived(void* entry, BOOLEAN)
{
    static_cast<Entry*>(entry)->process.Output->Discard();
}

// Trees that ended, by their grace or on their own, give back their timers.
void TCureGrace::DropEnded()
{
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if ((*entry)->process.Ended(0)) {
            Disarm(**entry);
            entry = entries_.erase(entry);
        } else {
            ++entry;
        }
    }
}

// Waits for a callback under way, so the entry outlives it. This may run
// under the loader lock at unload: the callbacks take no lock and load
// nothing, so they can always finish.
void TCureGrace::Disarm(Entry& entry)
{
    if (entry.outputWait != nullptr) {
        UnregisterWaitEx(entry.outputWait, INVALID_HANDLE_VALUE);
    }
    if (entry.timer != nullptr) {
        DeleteTimerQueueTimer(nullptr, entry.timer, INVALID_HANDLE_VALUE);
    }
}

}  // namespace ostrel
