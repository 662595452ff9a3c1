#include "scanner/CureGrace.h"

namespace ostrel {

TCureGrace::~TCureGrace()
{
    EndAll();
}

void TCureGrace::Give(TProcessTree tree, DWORD milliseconds)
{
    CriticalSectionLock lock(lock_);
    DropEnded();
    tree.Job.EndOnClose();
    auto entry = std::make_unique<Entry>();
    entry->tree = std::move(tree);
    entries_.reserve(entries_.size() + 1);  // nothing may fail once the timer runs
    if (!CreateTimerQueueTimer(&entry->timer, nullptr, GraceOver, entry.get(), milliseconds, 0,
                               WT_EXECUTEINTIMERTHREAD | WT_EXECUTEONLYONCE)) {
        entry->tree.End();
        return;
    }
    entries_.push_back(std::move(entry));
}

void TCureGrace::EndAll(bool processExit)
{
    CriticalSectionLock lock(lock_);
    for (std::unique_ptr<Entry>& entry : entries_) {
        entry->tree.End();
        if (!processExit) {
            Delete(*entry);
        }
    }
    entries_.clear();
}

// Runs in the timer thread: it touches only its own entry, which stays
// until its timer is deleted.
void CALLBACK TCureGrace::GraceOver(void* entry, BOOLEAN)
{
    static_cast<Entry*>(entry)->tree.End();
}

// Trees that ended, by their grace or on their own, give back their timers.
void TCureGrace::DropEnded()
{
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if ((*entry)->tree.WaitUntilEnded(0)) {
            Delete(**entry);
            entry = entries_.erase(entry);
        } else {
            ++entry;
        }
    }
}

// Waits for a callback under way, so the entry outlives it. This may run
// under the loader lock at unload: the callback takes no lock and loads
// nothing, so it can always finish.
void TCureGrace::Delete(Entry& entry)
{
    DeleteTimerQueueTimer(nullptr, entry.timer, INVALID_HANDLE_VALUE);
}

}  // namespace ostrel
