// winsock2.h must come before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "Clamd.h"

#include "ClamdReply.h"
#include "Deadline.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <cstring>
#include <string>

namespace ostrel::ostrelscan {
namespace {

constexpr DWORD kChunkSize = 65536;
// Far more than any answer of clamd's; a stream of junk is cut off here.
constexpr std::size_t kMaxReply = 65536;

struct SocketTraits {
    using Type = SOCKET;
    static Type invalid() { return INVALID_SOCKET; }
    static void close(Type socket) { closesocket(socket); }
};
using UniqueSocket = UniqueResource<SocketTraits>;

struct AddressListTraits {
    using Type = addrinfo*;
    static Type invalid() { return nullptr; }
    static void close(Type list) { freeaddrinfo(list); }
};
using UniqueAddressList = UniqueResource<AddressListTraits>;

class WinsockSession {
public:
    WinsockSession()
    {
        WSADATA data;
        error_ = WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockSession()
    {
        if (error_ == 0) {
            WSACleanup();
        }
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    int Error() const { return error_; }

private:
    int error_;
};

std::string SocketError(int code)
{
    return SystemErrorMessage(static_cast<uint32_t>(code)) + " (" + std::to_string(code) + ")";
}

// Waits until the socket can be read (or written); false on time-out. A
// failed connect shows in the exception set, which a read leaves out: out-
// of-band data shows there too and would wake a read that finds nothing.
bool WaitFor(SOCKET socket, bool write, DWORD milliseconds)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(socket, &failed);
    timeval wait = {static_cast<long>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000};
    return select(0, write ? nullptr : &set, write ? &set : nullptr, write ? &failed : nullptr, &wait) > 0;
}

class Session {
public:
    Session(const Endpoint& endpoint, const Deadline& deadline)
        : endpoint_(endpoint), deadline_(deadline),
          where_(" clamd at " + endpoint.host + ":" + std::to_string(endpoint.port))
    {
    }

    // Empty on success, else the reason.
    std::string Connect()
    {
        addrinfo hints = {};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        UniqueAddressList addresses;
        const int resolved = getaddrinfo(endpoint_.host.c_str(), std::to_string(endpoint_.port).c_str(),
                                         &hints, addresses.receive());
        if (resolved != 0) {
            return "cannot find the address of" + where_ + ": " + SocketError(resolved);
        }
        std::string reason = "no address for" + where_;
        for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
            UniqueSocket candidate(socket(address->ai_family, address->ai_socktype, address->ai_protocol));
            u_long nonBlocking = 1;
            if (!candidate || ioctlsocket(candidate.get(), FIONBIO, &nonBlocking) != 0) {
                reason = "cannot make a socket: " + SocketError(WSAGetLastError());
                continue;
            }
            if (connect(candidate.get(), address->ai_addr, static_cast<int>(address->ai_addrlen)) != 0 &&
                WSAGetLastError() != WSAEWOULDBLOCK) {
                reason = "cannot connect to" + where_ + ": " + SocketError(WSAGetLastError());
                continue;
            }
            if (!WaitFor(candidate.get(), true, deadline_.Left())) {
                reason = "no connection to" + where_ + " within " + Seconds();
                if (deadline_.Passed()) {
                    return reason;
                }
                continue;
            }
            int error = 0;
            int size = sizeof error;
            getsockopt(candidate.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
            if (error != 0) {
                reason = "cannot connect to" + where_ + ": " + SocketError(error);
                continue;
            }
            socket_ = std::move(candidate);
            return {};
        }
        return reason;
    }

    // Sends everything; an answer arriving early (clamd refusing the stream)
    // stops the sending, and the caller then reads that answer.
    std::string Send(const char* data, std::size_t size)
    {
        while (size > 0) {
            if (WaitFor(socket_.get(), false, 0)) {
                answeredEarly_ = true;
                return {};
            }
            if (!WaitFor(socket_.get(), true, deadline_.Left())) {
                return "clamd took no more data within " + Seconds();
            }
            const int sent = send(socket_.get(), data, static_cast<int>(size < kChunkSize ? size : kChunkSize), 0);
            if (sent == SOCKET_ERROR) {
                if (WSAGetLastError() == WSAEWOULDBLOCK) {
                    if (deadline_.Passed()) {
                        return "clamd took no more data within " + Seconds();
                    }
                    continue;
                }
                return "lost the connection to" + where_ + " while sending: " + SocketError(WSAGetLastError());
            }
            data += sent;
            size -= static_cast<std::size_t>(sent);
        }
        return {};
    }

    bool AnsweredEarly() const { return answeredEarly_; }

    // Reads up to the answer's NUL, or until clamd closes.
    std::string Receive(std::string& reply)
    {
        char buffer[4096];
        while (reply.find('\0') == std::string::npos) {
            if (!WaitFor(socket_.get(), false, deadline_.Left())) {
                return "no answer from" + where_ + " within " + Seconds();
            }
            const int got = recv(socket_.get(), buffer, sizeof buffer, 0);
            if (got == 0) {
                return {};
            }
            if (got == SOCKET_ERROR) {
                if (WSAGetLastError() == WSAEWOULDBLOCK) {
                    if (deadline_.Passed()) {
                        return "no answer from" + where_ + " within " + Seconds();
                    }
                    continue;
                }
                return reply.empty() ? "lost the connection to" + where_ + " before its answer: " +
                                           SocketError(WSAGetLastError())
                                     : std::string();
            }
            reply.append(buffer, static_cast<std::size_t>(got));
            if (reply.size() > kMaxReply) {
                return "clamd's answer is longer than " + std::to_string(kMaxReply) + " bytes";
            }
        }
        return {};
    }

private:
    std::string Seconds() const { return std::to_string(deadline_.Budget() / 1000) + " s"; }

    const Endpoint& endpoint_;
    const Deadline& deadline_;
    std::string where_;
    UniqueSocket socket_;
    bool answeredEarly_ = false;
};


}  // namespace

Verdict ScanWithClamd(const Endpoint& endpoint, const std::string& file, unsigned long timeoutMs)
{
    const Deadline deadline(timeoutMs);
    const UniqueFile input(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!input) {
        return Verdict::Error("cannot open " + file + ": " + SystemErrorMessage(GetLastError(), file));
    }
    WinsockSession winsock;
    if (winsock.Error() != 0) {
        return Verdict::Error("Winsock does not start: " + SocketError(winsock.Error()));
    }
    Session session(endpoint, deadline);
    std::string failure = session.Connect();
    if (!failure.empty()) {
        return Verdict::Error(failure);
    }
    // The z prefix makes clamd end its answer with a NUL.
    const char command[] = "zINSTREAM";
    failure = session.Send(command, sizeof command);
    std::string frame;
    while (failure.empty() && !session.AnsweredEarly()) {
        frame.resize(4 + kChunkSize);
        DWORD got = 0;
        if (!ReadFile(input.get(), &frame[4], kChunkSize, &got, nullptr)) {
            return Verdict::Error("cannot read " + file + ": " + SystemErrorMessage(GetLastError(), file));
        }
        frame.resize(4 + got);
        // Each chunk is led by its length in network byte order.
        const u_long length = htonl(got);
        std::memcpy(&frame[0], &length, 4);
        // The zero-length chunk that ends the stream is the last frame.
        failure = session.Send(frame.data(), frame.size());
        if (got == 0) {
            break;
        }
    }
    // After a failed send, an answer clamd gave before it closed still tells why.
    std::string reply;
    const std::string receiveFailure = session.Receive(reply);
    if (reply.find('\0') != std::string::npos || (failure.empty() && receiveFailure.empty())) {
        return ParseClamdReply(reply);
    }
    return Verdict::Error(failure.empty() ? receiveFailure : failure);
}

}  // namespace ostrel::ostrelscan
