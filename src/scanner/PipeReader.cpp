#include "scanner/PipeReader.h"

#include "base/UserOnlySecurity.h"
#include "base/WinError.h"

#include <ntsecapi.h>

#include <string>

namespace ostrel {

namespace {

constexpr DWORD PieceSize = 65536;
constexpr int PiecesPerDiscard = 16;  // 1 MiB
constexpr DWORD CancelWaitMilliseconds = 5000;

// 128 random bits: no other process can guess the name and make the pipe
// first, which would make every run fail.
std::string UniquePipeName()
{
    unsigned char random[16];
    if (!RtlGenRandom(random, sizeof random)) {
        RaiseLastOSError("RtlGenRandom");
    }
    static const char digits[] = "0123456789abcdef";
    std::string name = "\\\\.\\pipe\\Ostrel-" + std::to_string(GetCurrentProcessId()) + "-";
    for (unsigned char byte : random) {
        name += digits[byte >> 4];
        name += digits[byte & 15];
    }
    return name;
}

// Systems before Vista do not know the flag that keeps other machines out:
// where it is refused, the pipe is made without it.
HANDLE CreateServerEnd(const std::string& name, SECURITY_ATTRIBUTES* security)
{
    // The first instance or nothing: no other process may have made it first.
    const DWORD access = PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE;
    const DWORD mode = PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT;
    HANDLE server = CreateNamedPipeA(name.c_str(), access, mode | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, PieceSize,
                                     0, security);
    if (server == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        server = CreateNamedPipeA(name.c_str(), access, mode, 1, 0, PieceSize, 0, security);
    }
    return server;
}

}  // namespace

OutputPipe CreateOutputPipe()
{
    const std::string name = UniquePipeName();
    OutputPipe pipe;
    TUserOnlySecurity security(false);
    HANDLE server = CreateServerEnd(name, security.Attributes());
    if (server == INVALID_HANDLE_VALUE) {
        RaiseLastOSError("CreateNamedPipeA");
    }
    pipe.parentReadEnd.reset(server);
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE client = CreateFileA(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (client == INVALID_HANDLE_VALUE) {
        RaiseLastOSError("CreateFileA");
    }
    pipe.childWriteEnd.reset(client);
    return pipe;
}

// What the system writes into while a read is under way. Two buffers: the
// next piece is read into one while the owner handles the other.
struct TPipeReader::Read {
    OVERLAPPED overlapped = {};
    UniqueHandle event;
    std::vector<char> buffers[2] = {std::vector<char>(PieceSize), std::vector<char>(PieceSize)};
    int current = 0;
};

TPipeReader::TPipeReader(UniqueHandle readEnd) : pipe_(std::move(readEnd)), read_(std::make_unique<Read>())
{
    read_->event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!read_->event) {
        RaiseLastOSError("CreateEventA");
    }
    read_->overlapped.hEvent = read_->event.get();
    StartRead();
}

TPipeReader::~TPipeReader()
{
    Cancel();
}

HANDLE TPipeReader::Event() const
{
    return read_ ? read_->event.get() : nullptr;
}

void TPipeReader::StartRead()
{
    ResetEvent(read_->event.get());
    read_->overlapped.Internal = 0;
    read_->overlapped.InternalHigh = 0;
    if (ReadFile(pipe_.get(), read_->buffers[read_->current].data(), PieceSize, nullptr, &read_->overlapped) ||
        GetLastError() == ERROR_IO_PENDING) {
        reading_ = true;
        return;
    }
    // The writer is gone (or the pipe failed): nothing more can arrive.
    ended_ = true;
    SetEvent(read_->event.get());
}

TPipeReader::Result TPipeReader::Poll(std::string_view& bytes)
{
    for (;;) {
        if (!reading_ && !ended_) {
            StartRead();
        }
        if (ended_) {
            return Result::Ended;
        }
        DWORD count = 0;
        if (GetOverlappedResult(pipe_.get(), &read_->overlapped, &count, FALSE)) {
            reading_ = false;
            bytes = std::string_view(read_->buffers[read_->current].data(), count);
            read_->current ^= 1;
            StartRead();
            return Result::Data;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_IO_INCOMPLETE) {
            return Result::Pending;
        }
        reading_ = false;
        // The system gives a read up when the thread that started it ends;
        // the pipe is still there.
        if (error != ERROR_OPERATION_ABORTED) {
            ended_ = true;
            return Result::Ended;
        }
    }
}

TPipeReader::Result TPipeReader::Finish(std::string_view& bytes)
{
    if (ended_ || !reading_) {
        return Result::Ended;
    }
    // An empty pipe does not mean an empty read: the last bytes may have
    // reached the read without its completion being seen yet.
    if (!StopRead()) {
        Cancel();
        return Result::Ended;
    }
    DWORD count = 0;
    if (!GetOverlappedResult(pipe_.get(), &read_->overlapped, &count, FALSE) || count == 0) {
        return Result::Ended;
    }
    bytes = std::string_view(read_->buffers[read_->current].data(), count);
    read_->current ^= 1;
    StartRead();
    return Result::Data;
}

bool TPipeReader::PipeEmpty() const
{
    DWORD available = 0;
    return !PeekNamedPipe(pipe_.get(), nullptr, 0, nullptr, &available, nullptr) || available == 0;
}

// A bounded amount a call: a writer that never stops must not hold the
// caller, a thread the system shares.
void TPipeReader::Discard()
{
    std::string_view bytes;
    for (int piece = 0; piece < PiecesPerDiscard; ++piece) {
        const Result result = Poll(bytes);
        if (result == Result::Pending) {
            return;
        }
        if (result == Result::Ended) {
            if (read_) {
                ResetEvent(read_->event.get());
            }
            return;
        }
    }
}

// CancelIo ends only the reads of the calling thread; closing the pipe
// ends those of any thread.
void TPipeReader::Cancel()
{
    if (reading_) {
        CancelIo(pipe_.get());
        pipe_.reset();
        AwaitStop();
    }
    pipe_.reset();
    ended_ = true;
}

// Stops the read under way, which this thread started.
bool TPipeReader::StopRead()
{
    CancelIo(pipe_.get());
    return AwaitStop();
}

// The system may still write into the read's memory until the stop
// completes; if it never says so, the memory is left to it.
bool TPipeReader::AwaitStop()
{
    reading_ = false;
    if (WaitForSingleObject(read_->event.get(), CancelWaitMilliseconds) == WAIT_OBJECT_0) {
        return true;
    }
    read_.release();
    return false;
}

}  // namespace ostrel
