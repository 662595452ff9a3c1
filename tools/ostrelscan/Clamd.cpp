// winsock2.h, through AddressLookup.h, must come before windows.h.
#include "AddressLookup.h"

#include <mstcpip.h>

#include "Clamd.h"

#include "ClamdReply.h"
#include "Deadline.h"
#include "FileAccess.h"
#include "ListenerOwners.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <algorithm>
#include <climits>
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

// SIO_TCP_INITIAL_RTO and its parameters as the Windows SDK's mstcpip.h
// documents them (Windows 8 and later); older MinGW headers lack them.
#ifndef SIO_TCP_INITIAL_RTO
#define SIO_TCP_INITIAL_RTO _WSAIOW(IOC_VENDOR, 17)
#endif
struct InitialRtoParameters {
    USHORT rtt;                   // TCP_INITIAL_RTO_UNSPECIFIED_RTT: (USHORT)-1
    UCHAR maxSynRetransmissions;  // TCP_INITIAL_RTO_NO_SYN_RETRANSMISSIONS: (UCHAR)-2
};
constexpr USHORT kUnspecifiedRtt = static_cast<USHORT>(-1);
constexpr UCHAR kNoSynRetransmissions = static_cast<UCHAR>(-2);

bool IsLoopback(const sockaddr* address)
{
    if (address->sa_family == AF_INET) {
        return (ntohl(reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr) >> 24) == 127;
    }
    if (address->sa_family == AF_INET6) {
        static const unsigned char loopback[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
        return std::memcmp(&reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, loopback, 16) == 0;
    }
    return false;
}

// Windows retries a refused SYN even on loopback, so a connect to a port
// nothing listens on fails only after about 2 s; without retries it fails
// at once. Where the system does not know the call, nothing changes.
void RefuseLoopbackAtOnce(SOCKET socket, const sockaddr* address)
{
    if (!IsLoopback(address)) {
        return;
    }
    InitialRtoParameters parameters = {kUnspecifiedRtt, kNoSynRetransmissions};
    DWORD returned = 0;
    WSAIoctl(socket, SIO_TCP_INITIAL_RTO, &parameters, sizeof parameters, nullptr, 0, &returned, nullptr, nullptr);
}

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

// Waits until a non-blocking connect ends; false on time-out. A failed
// connect shows in the exception set.
bool WaitForConnect(SOCKET socket, DWORD milliseconds)
{
    fd_set connected;
    FD_ZERO(&connected);
    FD_SET(socket, &connected);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(socket, &failed);
    timeval wait = {static_cast<long>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000};
    return select(0, nullptr, &connected, &failed, &wait) > 0;
}

std::string Seconds(DWORD milliseconds)
{
    return std::to_string(milliseconds / 1000) + " s";
}

// The connect alone is bounded by select(); after it the socket blocks, and
// each send and receive is bounded by the time left, which costs no wake-up
// per call.
class Session {
public:
    Session(const Endpoint& endpoint, const Deadline& deadline, DaemonChoice choice, const std::string& installedDaemon)
        : endpoint_(endpoint), deadline_(deadline), choice_(choice), installedDaemon_(installedDaemon),
          where_(" clamd at " + endpoint.host + ":" + std::to_string(endpoint.port))
    {
    }

    // Empty on success, else the reason.
    std::string Connect(DWORD limit)
    {
        UniqueAddressList addresses;
        const int resolved =
            LookUpAddress(endpoint_.host, std::to_string(endpoint_.port), deadline_.Left(), addresses);
        if (resolved == WSAETIMEDOUT) {
            return "no address for" + where_ + " within " + Seconds(deadline_.Budget());
        }
        if (resolved != 0) {
            return "cannot find the address of" + where_ + ": " + SocketError(resolved);
        }
        const Deadline connectDeadline(std::min(limit, deadline_.Left()));
        std::string reason = "no address for" + where_;
        for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
            if (IsLoopback(address->ai_addr)) {
                const std::string refusal = LoopbackListenerRefusal(address->ai_addr, choice_, installedDaemon_);
                if (!refusal.empty()) {
                    reason = "not asking" + where_ + ": " + refusal;
                    continue;
                }
            }
            UniqueSocket candidate(socket(address->ai_family, address->ai_socktype, address->ai_protocol));
            u_long nonBlocking = 1;
            if (!candidate || ioctlsocket(candidate.get(), FIONBIO, &nonBlocking) != 0) {
                reason = "cannot make a socket: " + SocketError(WSAGetLastError());
                continue;
            }
            RefuseLoopbackAtOnce(candidate.get(), address->ai_addr);
            if (connect(candidate.get(), address->ai_addr, static_cast<int>(address->ai_addrlen)) != 0 &&
                WSAGetLastError() != WSAEWOULDBLOCK) {
                reason = "cannot connect to" + where_ + ": " + SocketError(WSAGetLastError());
                continue;
            }
            if (!WaitForConnect(candidate.get(), connectDeadline.Left())) {
                reason = "no connection to" + where_ + " within " + Seconds(std::min(limit, deadline_.Budget()));
                if (connectDeadline.Passed()) {
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
            u_long blocking = 0;
            if (ioctlsocket(candidate.get(), FIONBIO, &blocking) != 0) {
                reason = "cannot make a socket: " + SocketError(WSAGetLastError());
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
            u_long waiting = 0;
            if (sentBefore_ && ioctlsocket(socket_.get(), FIONREAD, &waiting) == 0 && waiting > 0) {
                answeredEarly_ = true;
                return {};
            }
            if (!LimitTo(SO_SNDTIMEO)) {
                return "clamd took no more data within " + Seconds(deadline_.Budget());
            }
            const int sent = send(socket_.get(), data, static_cast<int>(std::min<std::size_t>(size, INT_MAX)), 0);
            if (sent == SOCKET_ERROR) {
                if (WSAGetLastError() == WSAETIMEDOUT) {
                    Abandon();
                    return "clamd took no more data within " + Seconds(deadline_.Budget());
                }
                return "lost the connection to" + where_ + " while sending: " + SocketError(WSAGetLastError());
            }
            sentBefore_ = true;
            data += sent;
            size -= static_cast<std::size_t>(sent);
        }
        return {};
    }

    bool AnsweredEarly() const { return answeredEarly_; }
    // False after a time-out: Winsock leaves such a socket in an undefined
    // state, so it is closed and never read again.
    bool Usable() const { return static_cast<bool>(socket_); }

    // Reads up to the answer's NUL, or until clamd closes.
    std::string Receive(std::string& reply)
    {
        char buffer[4096];
        while (Usable() && reply.find('\0') == std::string::npos) {
            if (!LimitTo(SO_RCVTIMEO)) {
                return "no answer from" + where_ + " within " + Seconds(deadline_.Budget());
            }
            const int got = recv(socket_.get(), buffer, sizeof buffer, 0);
            if (got == 0) {
                return {};
            }
            if (got == SOCKET_ERROR) {
                if (WSAGetLastError() == WSAETIMEDOUT) {
                    Abandon();
                    return "no answer from" + where_ + " within " + Seconds(deadline_.Budget());
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
    void Abandon() { socket_.reset(); }

    // False when no time is left; a time-out of 0 would mean none at all.
    bool LimitTo(int option)
    {
        const DWORD left = deadline_.Left();
        return left > 0 && setsockopt(socket_.get(), SOL_SOCKET, option, reinterpret_cast<const char*>(&left),
                                      sizeof left) == 0;
    }

    const Endpoint& endpoint_;
    const Deadline& deadline_;
    DaemonChoice choice_;
    const std::string& installedDaemon_;
    std::string where_;
    UniqueSocket socket_;
    bool sentBefore_ = false;
    bool answeredEarly_ = false;
};

// Streams the file over a connected session and reads clamd's answer.
Verdict Stream(Session& session, HANDLE input, const std::string& file)
{
    // The z prefix makes clamd end its answer with a NUL.
    const char command[] = "zINSTREAM";
    std::string batch(command, sizeof command);
    std::string failure;
    for (;;) {
        const std::size_t at = batch.size();
        batch.resize(at + 4 + kChunkSize);
        DWORD got = 0;
        if (!ReadFile(input, &batch[at + 4], kChunkSize, &got, nullptr)) {
            return Verdict::Error("cannot read " + file + ": " + SystemErrorMessage(GetLastError(), file));
        }
        batch.resize(at + 4 + got);
        // Each chunk is led by its length in network byte order.
        const u_long length = htonl(got);
        std::memcpy(&batch[at], &length, 4);
        // A small file goes in one send, with the zero-length chunk that ends the stream.
        if (got != 0 && batch.size() < kChunkSize) {
            continue;
        }
        failure = session.Send(batch.data(), batch.size());
        batch.clear();
        if (got == 0 || !failure.empty() || session.AnsweredEarly()) {
            break;
        }
    }
    // After a failed send, an answer clamd gave before it closed still tells why.
    std::string reply;
    const std::string receiveFailure = session.Usable() ? session.Receive(reply) : std::string();
    if (reply.find('\0') != std::string::npos || (failure.empty() && receiveFailure.empty())) {
        return ParseClamdReply(reply);
    }
    return Verdict::Error(failure.empty() ? receiveFailure : failure);
}

std::optional<Verdict> Scan(const Endpoint& endpoint, const std::string& file, unsigned long timeoutMs,
                            unsigned long connectLimitMs, DaemonChoice choice, const std::string& installedDaemon,
                            std::string& noConnection)
{
    const Deadline deadline(timeoutMs);
    const UniqueFile input(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!input) {
        return CannotOpen(file, GetLastError());
    }
    WinsockSession winsock;
    if (winsock.Error() != 0) {
        return Verdict::Error("Winsock does not start: " + SocketError(winsock.Error()));
    }
    Session session(endpoint, deadline, choice, installedDaemon);
    noConnection = session.Connect(connectLimitMs);
    if (!noConnection.empty()) {
        return std::nullopt;
    }
    return Stream(session, input.get(), file);
}

}  // namespace

std::optional<Verdict> ScanWithInstalledClamd(const Endpoint& endpoint, const std::string& file,
                                              unsigned long timeoutMs, unsigned long connectLimitMs,
                                              const std::string& installedDaemon, std::string& passedOver)
{
    return Scan(endpoint, file, timeoutMs, connectLimitMs, DaemonChoice::installed, installedDaemon, passedOver);
}

Verdict ScanWithClamd(const Endpoint& endpoint, const std::string& file, unsigned long timeoutMs)
{
    std::string noConnection;
    const std::optional<Verdict> verdict =
        Scan(endpoint, file, timeoutMs, timeoutMs, DaemonChoice::configured, {}, noConnection);
    return verdict ? *verdict : Verdict::Error(noConnection);
}

}  // namespace ostrel::ostrelscan
