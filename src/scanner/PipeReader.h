#pragma once

#include "base/UniqueResource.h"

#include <memory>
#include <string_view>
#include <vector>

namespace ostrel {

// The child's end and the parent's end of an output pipe.
struct OutputPipe {
    UniqueHandle childWriteEnd;  // inheritable, synchronous
    UniqueHandle parentReadEnd;  // overlapped
};

// A byte pipe whose parent end is read overlapped, so the owner thread can
// wait for output, the child's end and its own messages in one call. No
// thread is started for it. Anonymous pipes cannot be read overlapped, so
// this is a named pipe with one instance, a name no one can guess, open to
// this user alone and to no other machine.
OutputPipe CreateOutputPipe();

// Reads an overlapped pipe in 64 KiB pieces, one read at a time: a piece
// is read only while the owner handles the one before, so a fast writer
// waits instead of filling memory. The calls belong to one thread at a
// time.
class TPipeReader {
public:
    explicit TPipeReader(UniqueHandle readEnd);
    ~TPipeReader();
    TPipeReader(const TPipeReader&) = delete;
    TPipeReader& operator=(const TPipeReader&) = delete;

    // Signalled when a read has completed or the pipe has ended.
    HANDLE Event() const;

    enum class Result { Pending, Data, Ended };
    // Data: `bytes` holds the piece just read, valid until the next Poll.
    // Where no read is under way (after Finish, or a read the system gave
    // up because the thread that started it ended), one is started.
    Result Poll(std::string_view& bytes);
    // Nothing is waiting in the pipe right now.
    bool PipeEmpty() const;
    // For a writer that is done: ends the read under way. Bytes it took
    // before that are Data, and reading goes on behind them; else Ended,
    // and a later Poll reads on, for a writer that still holds the pipe.
    Result Finish(std::string_view& bytes);
    // Reads and drops what has arrived, for a writer nobody listens to any
    // more, so it can write on. Once the pipe has ended, Event() stays
    // unsignalled.
    void Discard();
    // Stops reading, also a read another thread started; Poll answers
    // Ended from now on.
    void Cancel();

private:
    struct Read;
    void StartRead();
    bool StopRead();
    bool AwaitStop();

    UniqueHandle pipe_;
    std::unique_ptr<Read> read_;
    bool reading_ = false;
    bool ended_ = false;
};

}  // namespace ostrel
