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
// waits instead of filling memory. All calls belong to one thread.
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
    Result Poll(std::string_view& bytes);
    // Nothing is waiting in the pipe right now.
    bool PipeEmpty() const;
    // For a writer that is done: ends the read under way. Bytes it took
    // before that are Data, and reading goes on behind them; else Ended.
    Result Finish(std::string_view& bytes);
    // Stops reading; Poll answers Ended from now on.
    void Cancel();

private:
    struct Read;
    void StartRead();
    bool StopRead();

    UniqueHandle pipe_;
    std::unique_ptr<Read> read_;
    bool reading_ = false;
    bool ended_ = false;
};

}  // namespace ostrel
