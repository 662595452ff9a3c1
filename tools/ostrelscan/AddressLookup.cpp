#include "AddressLookup.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ostrel::ostrelscan {
namespace {

// Shared with the lookup's thread, which may outlive the caller's wait.
struct PendingLookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int error = 0;
    UniqueAddressList addresses;
};

addrinfo StreamHints(int flags)
{
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = flags;
    return hints;
}

}  // namespace

int LookUpAddress(const std::string& host, const std::string& port, unsigned long milliseconds,
                  UniqueAddressList& addresses)
{
    const addrinfo numeric = StreamHints(AI_NUMERICHOST);
    if (getaddrinfo(host.c_str(), port.c_str(), &numeric, addresses.receive()) == 0) {
        return 0;
    }
    // getaddrinfo takes no time limit, so a thread of its own waits for the
    // name service. The caller may give up and end its Winsock before that
    // thread ends, so the thread holds Winsock started, from here until it
    // has freed the list no one took.
    WSADATA data;
    if (const int started = WSAStartup(MAKEWORD(2, 2), &data); started != 0) {
        return started;
    }
    auto pending = std::make_shared<PendingLookup>();
    try {
        std::thread([pending, host, port]() mutable {
            const addrinfo hints = StreamHints(0);
            addrinfo* list = nullptr;
            const int error = getaddrinfo(host.c_str(), port.c_str(), &hints, &list);
            {
                const std::lock_guard<std::mutex> lock(pending->mutex);
                pending->addresses = UniqueAddressList(list);
                pending->error = error;
                pending->finished = true;
                pending->done.notify_one();
            }
            pending.reset();
            WSACleanup();
        }).detach();
    } catch (...) {
        WSACleanup();
        throw;
    }
    std::unique_lock<std::mutex> lock(pending->mutex);
    if (!pending->done.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return pending->finished; })) {
        return WSAETIMEDOUT;
    }
    addresses = std::move(pending->addresses);
    return pending->error;
}

}  // namespace ostrel::ostrelscan
