#include "ListenerTrust.h"

#include <algorithm>

namespace ostrel::ostrelscan {
namespace {

std::size_t AddressSize(const TcpEndpoint& endpoint)
{
    return endpoint.ipv6 ? 16 : 4;
}

bool Unspecified(const TcpEndpoint& endpoint)
{
    return std::all_of(endpoint.address.begin(), endpoint.address.begin() + AddressSize(endpoint),
                       [](uint8_t byte) { return byte == 0; });
}

bool SameAddress(const TcpEndpoint& a, const TcpEndpoint& b)
{
    return a.ipv6 == b.ipv6 && std::equal(a.address.begin(), a.address.begin() + AddressSize(a), b.address.begin());
}

// ::ffff:a.b.c.d, an IPv6 socket's name for an IPv4 address.
bool MapsIpv4(const TcpEndpoint& ipv6, const TcpEndpoint& ipv4)
{
    constexpr uint8_t kPrefix[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    return std::equal(kPrefix, kPrefix + 12, ipv6.address.begin()) &&
           std::equal(ipv4.address.begin(), ipv4.address.begin() + 4, ipv6.address.begin() + 12);
}

// Whether the system may hand a connection to `target` to this listener.
bool CouldTake(const TcpEndpoint& listener, const TcpEndpoint& target)
{
    if (listener.port != target.port) {
        return false;
    }
    if (listener.ipv6 == target.ipv6) {
        return Unspecified(listener) || SameAddress(listener, target);
    }
    // A dual-stack IPv6 socket takes IPv4 connections too.
    return listener.ipv6 && (Unspecified(listener) || MapsIpv4(listener, target));
}

std::string Listener(uint32_t pid, const std::string& image)
{
    return "its listener, process " + std::to_string(pid) + (image.empty() ? "" : " (" + image + ")") + ",";
}

std::string InstalledDaemonRefusal(const ListenerQuestion& question, uint32_t pid)
{
    if (pid == 0) {
        return "the system names no process for its listener, so it cannot be shown to be the installed daemon";
    }
    if (pid == question.clamavServicePid) {
        return {};
    }
    const ListenerProcess process = question.describe(pid);
    if (!process.opened) {
        return Listener(pid, process.image) + " cannot be opened, so it is another user's";
    }
    if (!process.currentUser) {
        return Listener(pid, process.image) + " runs as another user";
    }
    if (!process.installedDaemon) {
        return Listener(pid, process.image) + " is not the installed " + question.installedDaemon;
    }
    return {};
}

std::string ConfiguredDaemonRefusal(const ListenerQuestion& question, uint32_t pid)
{
    if (pid == 0) {
        return {};
    }
    const ListenerProcess process = question.describe(pid);
    if ((process.opened && process.currentUser) || question.isService(pid)) {
        return {};
    }
    return Listener(pid, process.image) +
           " is neither a service nor a program of this user (run clamd as a service, so that no one else can "
           "take its port)";
}

}  // namespace

std::string ListenerRefusal(const ListenerQuestion& question)
{
    bool listened = false;
    for (const TcpEndpoint& listener : question.listeners) {
        if (!CouldTake(listener, question.target)) {
            continue;
        }
        listened = true;
        std::string refusal = question.choice == DaemonChoice::installed
                                  ? InstalledDaemonRefusal(question, listener.ownerPid)
                                  : ConfiguredDaemonRefusal(question, listener.ownerPid);
        if (!refusal.empty()) {
            return refusal;
        }
    }
    // A configured daemon that does not listen fails to connect, in words of its own.
    return listened || question.choice == DaemonChoice::configured ? std::string() : "nothing listens there";
}

}  // namespace ostrel::ostrelscan
