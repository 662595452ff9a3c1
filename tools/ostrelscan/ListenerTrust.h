#pragma once

// Whether clamd may be asked at a loopback address, judged by the process
// that listens there: on a shared machine any user may listen on a port of
// 127.0.0.1 and answer "stream: OK" for every file. No <windows.h>.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ostrel::ostrelscan {

// A listening TCP socket as the system lists it, or the address clamd is
// about to be asked at (its owner then unused).
struct TcpEndpoint {
    bool ipv6 = false;
    std::array<uint8_t, 16> address = {};  // IPv4 in the first four bytes
    uint16_t port = 0;
    uint32_t ownerPid = 0;  // 0: the system names no process (Wine does so for every listener)
};

// What the system tells about a listener's process.
struct ListenerProcess {
    bool opened = false;           // it could be opened for a query; another user's cannot
    bool currentUser = false;      // it runs as the user ostrelscan runs as
    bool installedDaemon = false;  // its program file is the installed clamd.exe
    std::string image;             // its program's path, for the words; empty when unknown
};

// Who chose to ask clamd there. auto found ClamAV's daemon installed and
// asks the default address: only that daemon may answer. A daemon named in
// ostrelscan.ini (address=, engine=clamd) is the user's choice: any service
// or a program of the user may answer, as may a daemon outside Windows,
// for which the system names no process.
enum class DaemonChoice { installed, configured };

struct ListenerQuestion {
    DaemonChoice choice = DaemonChoice::configured;
    TcpEndpoint target;
    std::vector<TcpEndpoint> listeners;       // the system's table of listening sockets
    uint32_t clamavServicePid = 0;            // ClamAV's service, 0 when it does not run
    std::string installedDaemon;              // clamd.exe's path, for the words
    std::function<ListenerProcess(uint32_t pid)> describe;
    std::function<bool(uint32_t pid)> isService;  // asked only for a configured daemon
};

// Empty when clamd may be asked there; else why not, in words. Every
// listener that could take the connection must pass, a wildcard or
// dual-stack one included, as Windows gives it to the most specific.
std::string ListenerRefusal(const ListenerQuestion& question);

}  // namespace ostrel::ostrelscan
