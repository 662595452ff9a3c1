// Who may answer for clamd at a loopback address, with the system's table
// of listening sockets and its processes handed in: Wine names no owner
// for any listener, so only here can each owner be shown.
#include "ListenerTrust.h"

#include <gtest/gtest.h>

#include <map>

namespace ostrel::ostrelscan {
namespace {

constexpr uint32_t kService = 100, kClamavService = 200, kMine = 300, kMyCopy = 301, kOthersDaemon = 400,
                   kOthers = 401;
const std::string kInstalled = "C:\\Program Files\\ClamAV\\clamd.exe";

TcpEndpoint Ipv4(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port, uint32_t pid = 0)
{
    TcpEndpoint endpoint;
    endpoint.address = {a, b, c, d};
    endpoint.port = port;
    endpoint.ownerPid = pid;
    return endpoint;
}

TcpEndpoint Ipv6(std::array<uint8_t, 16> address, uint16_t port, uint32_t pid)
{
    TcpEndpoint endpoint;
    endpoint.ipv6 = true;
    endpoint.address = address;
    endpoint.port = port;
    endpoint.ownerPid = pid;
    return endpoint;
}

const TcpEndpoint kDefault = Ipv4(127, 0, 0, 1, 3310);

std::string Refusal(DaemonChoice choice, const std::vector<TcpEndpoint>& listeners,
                    const TcpEndpoint& target = kDefault)
{
    // kOthers cannot be opened; kOthersDaemon runs the installed clamd.exe as another user.
    const std::map<uint32_t, ListenerProcess> processes = {
        {kService, {true, false, false, "C:\\Windows\\System32\\svchost.exe"}},
        {kClamavService, {false, false, false, ""}},
        {kMine, {true, true, true, kInstalled}},
        {kMyCopy, {true, true, false, "C:\\Users\\me\\clamd.exe"}},
        {kOthersDaemon, {true, false, true, kInstalled}},
        {kOthers, {false, false, false, ""}},
    };
    ListenerQuestion question;
    question.choice = choice;
    question.target = target;
    question.listeners = listeners;
    question.clamavServicePid = kClamavService;
    question.installedDaemon = kInstalled;
    question.describe = [&](uint32_t pid) { return processes.at(pid); };
    question.isService = [](uint32_t pid) { return pid == kService || pid == kClamavService; };
    return ListenerRefusal(question);
}

TEST(ListenerTrust, OnlyTheInstalledDaemonAnswersForAuto)
{
    const std::array<uint8_t, 16> any6 = {}, mapped = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 127, 0, 0, 1};
    struct Case {
        const char* what;
        std::vector<TcpEndpoint> listeners;
        std::string refusal;  // how the words start; empty: asked
    };
    const Case cases[] = {
        {"ClamAV's service", {Ipv4(127, 0, 0, 1, 3310, kClamavService)}, ""},
        {"the installed clamd.exe run by this user", {Ipv4(0, 0, 0, 0, 3310, kMine)}, ""},
        {"nothing listens", {}, "nothing listens there"},
        {"only other ports and addresses",
         {Ipv4(127, 0, 0, 1, 3311, kOthers), Ipv4(127, 0, 0, 2, 3310, kOthers)},
         "nothing listens there"},
        {"no owner named, as under Wine", {Ipv4(127, 0, 0, 1, 3310)}, "the system names no process"},
        {"another user's, unopenable", {Ipv4(127, 0, 0, 1, 3310, kOthers)},
         "its listener, process 401, cannot be opened"},
        {"another user running the installed clamd.exe", {Ipv4(127, 0, 0, 1, 3310, kOthersDaemon)},
         "its listener, process 400 (" + kInstalled + "), runs as another user"},
        {"this user's clamd.exe from another folder", {Ipv4(127, 0, 0, 1, 3310, kMyCopy)},
         "its listener, process 301 (C:\\Users\\me\\clamd.exe), is not the installed " + kInstalled},
        {"another service", {Ipv4(127, 0, 0, 1, 3310, kService)}, "its listener, process 100"},
        {"the service, and a stranger on the wildcard address",
         {Ipv4(127, 0, 0, 1, 3310, kClamavService), Ipv4(0, 0, 0, 0, 3310, kOthers)},
         "its listener, process 401"},
        {"a stranger's dual-stack socket", {Ipv4(127, 0, 0, 1, 3310, kMine), Ipv6(any6, 3310, kOthers)},
         "its listener, process 401"},
        {"a stranger on the IPv4-mapped address", {Ipv6(mapped, 3310, kOthers)}, "its listener, process 401"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string refusal = Refusal(DaemonChoice::installed, c.listeners);
        EXPECT_EQ(refusal.substr(0, c.refusal.size()), c.refusal);
        EXPECT_EQ(refusal.empty(), c.refusal.empty()) << refusal;
    }
}

TEST(ListenerTrust, ANamedDaemonIsRefusedOnlyForAnotherUsersProgram)
{
    std::array<uint8_t, 16> loopback6 = {};
    loopback6[15] = 1;
    struct Case {
        const char* what;
        std::vector<TcpEndpoint> listeners;
        bool asked;
    };
    const Case cases[] = {
        {"no owner named: a daemon outside Windows", {Ipv4(127, 0, 0, 1, 3310)}, true},
        {"nothing listens: the connect says so", {}, true},
        {"a service", {Ipv4(127, 0, 0, 1, 3310, kService)}, true},
        {"this user's program", {Ipv4(127, 0, 0, 1, 3310, kMyCopy)}, true},
        {"another user's, unopenable", {Ipv4(127, 0, 0, 1, 3310, kOthers)}, false},
        {"another user's installed clamd.exe", {Ipv4(0, 0, 0, 0, 3310, kOthersDaemon)}, false},
        {"another user's, beside a service", {Ipv4(127, 0, 0, 1, 3310, kService), Ipv6(loopback6, 3310, kOthers)},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string refusal = Refusal(DaemonChoice::configured, c.listeners);
        EXPECT_EQ(refusal.empty(), c.asked) << refusal;
        if (!c.asked) {
            EXPECT_NE(refusal.find("is neither a service nor a program of this user"), std::string::npos) << refusal;
        }
    }
    // At ::1 the IPv6 stranger is the one that would answer.
    TcpEndpoint target = Ipv6(loopback6, 3310, 0);
    EXPECT_NE(Refusal(DaemonChoice::configured, {Ipv4(127, 0, 0, 1, 3310, kService), Ipv6(loopback6, 3310, kOthers)},
                      target),
              "");
}

}  // namespace
}  // namespace ostrel::ostrelscan
