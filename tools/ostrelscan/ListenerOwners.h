#pragma once

// The system's side of ListenerRefusal: its table of listening sockets,
// ClamAV's service and what a process is.
// winsock2.h must come before windows.h.
#include <winsock2.h>

#include "ListenerTrust.h"

#include <cstdint>
#include <string>

namespace ostrel::ostrelscan {

// Empty when clamd may be asked at `address`, a loopback address; else why
// not. `installedDaemon` is clamd.exe's path, for DaemonChoice::installed.
std::string LoopbackListenerRefusal(const sockaddr* address, DaemonChoice choice, const std::string& installedDaemon);

// What the system tells about one running process.
ListenerProcess DescribeProcess(uint32_t pid, const std::string& installedDaemon);

// The process of the running service `name`, or 0.
uint32_t ServiceProcessId(const char* name);

// Whether the process is a running service's, as the service manager lists them.
bool IsServiceProcess(uint32_t pid);

}  // namespace ostrel::ostrelscan
