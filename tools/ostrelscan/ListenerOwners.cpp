#include "ListenerOwners.h"

#include <ws2tcpip.h>
#include <iphlpapi.h>

#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <vector>

namespace ostrel::ostrelscan {
namespace {

// The service that `clamd.exe --install-service` sets up.
constexpr char kClamavService[] = "clamd";

struct ServiceHandleTraits {
    using Type = SC_HANDLE;
    static Type invalid() { return nullptr; }
    static void close(Type handle) { CloseServiceHandle(handle); }
};
using UniqueServiceHandle = UniqueResource<ServiceHandleTraits>;

using GetTcpTable = DWORD(WINAPI*)(PVOID, PDWORD, BOOL, ULONG, TCP_TABLE_CLASS, ULONG);

// DWORDs, so the table's rows are aligned.
std::vector<DWORD> ListenerTable(GetTcpTable get, ULONG family)
{
    std::vector<DWORD> table(1024);
    for (;;) {
        DWORD size = static_cast<DWORD>(table.size() * sizeof(DWORD));
        const DWORD result = get(table.data(), &size, FALSE, family, TCP_TABLE_OWNER_PID_LISTENER, 0);
        if (result == NO_ERROR) {
            return table;
        }
        // The table may grow between the calls.
        if (result == ERROR_INSUFFICIENT_BUFFER) {
            table.resize(size / sizeof(DWORD) + 1);
            continue;
        }
        if (family == AF_INET6 && result == ERROR_NOT_SUPPORTED) {
            return {};
        }
        throw std::runtime_error("GetExtendedTcpTable: " + SystemErrorMessage(result));
    }
}

std::vector<TcpEndpoint> ListeningSockets()
{
    // Bound at run time: Windows XP before SP2 lacks it.
    const UniqueModule library(LoadLibraryA("iphlpapi.dll"));
    const auto get = library ? reinterpret_cast<GetTcpTable>(reinterpret_cast<void (*)()>(
                                   GetProcAddress(library.get(), "GetExtendedTcpTable")))
                             : nullptr;
    if (get == nullptr) {
        throw std::runtime_error("this Windows has no GetExtendedTcpTable");
    }
    std::vector<TcpEndpoint> listeners;
    const std::vector<DWORD> ipv4 = ListenerTable(get, AF_INET);
    const auto* rows = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID*>(ipv4.data());
    for (DWORD i = 0; i < rows->dwNumEntries; ++i) {
        TcpEndpoint listener;
        std::memcpy(listener.address.data(), &rows->table[i].dwLocalAddr, 4);
        listener.port = ntohs(static_cast<u_short>(rows->table[i].dwLocalPort));
        listener.ownerPid = rows->table[i].dwOwningPid;
        listeners.push_back(listener);
    }
    const std::vector<DWORD> ipv6 = ListenerTable(get, AF_INET6);
    const auto* rows6 = ipv6.empty() ? nullptr : reinterpret_cast<const MIB_TCP6TABLE_OWNER_PID*>(ipv6.data());
    for (DWORD i = 0; rows6 != nullptr && i < rows6->dwNumEntries; ++i) {
        TcpEndpoint listener;
        listener.ipv6 = true;
        std::memcpy(listener.address.data(), rows6->table[i].ucLocalAddr, 16);
        listener.port = ntohs(static_cast<u_short>(rows6->table[i].dwLocalPort));
        listener.ownerPid = rows6->table[i].dwOwningPid;
        listeners.push_back(listener);
    }
    return listeners;
}

TcpEndpoint Endpoint(const sockaddr* address)
{
    TcpEndpoint endpoint;
    if (address->sa_family == AF_INET6) {
        const auto* ipv6 = reinterpret_cast<const sockaddr_in6*>(address);
        endpoint.ipv6 = true;
        std::memcpy(endpoint.address.data(), &ipv6->sin6_addr, 16);
        endpoint.port = ntohs(ipv6->sin6_port);
    } else {
        const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(address);
        std::memcpy(endpoint.address.data(), &ipv4->sin_addr, 4);
        endpoint.port = ntohs(ipv4->sin_port);
    }
    return endpoint;
}

// The TOKEN_USER of a process, in DWORDs for its alignment; empty when its
// token cannot be read.
std::vector<DWORD> UserOf(HANDLE process)
{
    UniqueHandle token;
    DWORD size = 0;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.receive())) {
        return {};
    }
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<DWORD> user(size / sizeof(DWORD) + 1);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, user.data(), size, &size)) {
        return {};
    }
    return user;
}

bool SameUser(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    return !a.empty() && !b.empty() &&
           EqualSid(reinterpret_cast<const TOKEN_USER*>(a.data())->User.Sid,
                    reinterpret_cast<const TOKEN_USER*>(b.data())->User.Sid);
}

std::string ImagePath(HANDLE process)
{
    // Bound at run time: Windows XP lacks it, and its image stays unknown.
    using Function = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    const auto query = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    char path[MAX_PATH * 2];
    DWORD size = sizeof path;
    return query != nullptr && query(process, 0, path, &size) ? std::string(path, size) : std::string();
}

bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& identity)
{
    const UniqueFile file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      0, nullptr));
    return file && GetFileInformationByHandle(file.get(), &identity);
}

// One file under two paths too (a short name, a link).
bool SameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION first, second;
    return !a.empty() && !b.empty() && FileIdentity(a, first) && FileIdentity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace

uint32_t ServiceProcessId(const char* name)
{
    const UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    const UniqueServiceHandle service(manager ? OpenServiceA(manager.get(), name, SERVICE_QUERY_STATUS) : nullptr);
    SERVICE_STATUS_PROCESS status = {};
    DWORD size = 0;
    if (!service || !QueryServiceStatusEx(service.get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                                          sizeof status, &size)) {
        return 0;
    }
    return status.dwProcessId;
}

bool IsServiceProcess(uint32_t pid)
{
    const UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    std::vector<DWORD> buffer(16384);
    DWORD resume = 0;
    for (bool more = static_cast<bool>(manager); more;) {
        DWORD needed = 0, count = 0;
        const bool all = EnumServicesStatusExA(manager.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_ACTIVE,
                                               reinterpret_cast<BYTE*>(buffer.data()),
                                               static_cast<DWORD>(buffer.size() * sizeof(DWORD)), &needed, &count,
                                               &resume, nullptr);
        if (!all && GetLastError() != ERROR_MORE_DATA) {
            return false;
        }
        const auto* services = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            if (services[i].ServiceStatusProcess.dwProcessId == pid) {
                return true;
            }
        }
        if (count == 0 && !all) {
            buffer.resize(needed / sizeof(DWORD) + 1);
        }
        more = !all;
    }
    return false;
}

ListenerProcess DescribeProcess(uint32_t pid, const std::string& installedDaemon)
{
    ListenerProcess process;
    // Windows XP knows only the wider right, which a process of the same user grants.
    UniqueHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!handle) {
        handle.reset(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    }
    if (!handle) {
        return process;
    }
    process.opened = true;
    process.currentUser = SameUser(UserOf(handle.get()), UserOf(GetCurrentProcess()));
    process.image = ImagePath(handle.get());
    process.installedDaemon = SameFile(process.image, installedDaemon);
    return process;
}

std::string LoopbackListenerRefusal(const sockaddr* address, DaemonChoice choice, const std::string& installedDaemon)
{
    ListenerQuestion question;
    question.choice = choice;
    question.target = Endpoint(address);
    try {
        question.listeners = ListeningSockets();
    } catch (const std::exception& e) {
        return std::string("cannot read the system's listening sockets: ") + e.what();
    }
    // The service manager only where some process is named for the port.
    const auto named = [&](const TcpEndpoint& listener) {
        return listener.port == question.target.port && listener.ownerPid != 0;
    };
    if (choice == DaemonChoice::installed && std::any_of(question.listeners.begin(), question.listeners.end(), named)) {
        question.clamavServicePid = ServiceProcessId(kClamavService);
    }
    question.installedDaemon = installedDaemon;
    question.describe = [&](uint32_t pid) { return DescribeProcess(pid, installedDaemon); };
    question.isService = IsServiceProcess;
    return ListenerRefusal(question);
}

}  // namespace ostrel::ostrelscan
