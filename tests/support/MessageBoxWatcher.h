#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ostrel::test {

struct SeenBox {
    std::string caption;
    std::string text;
};

// Watches for message boxes of this process, records them and presses a
// button (OK unless told otherwise), so code that shows boxes runs on.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(int answer = IDOK);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SeenBox> Boxes() const;

private:
    void Watch();
    void Answer(HWND box);

    const int answer_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::vector<HWND> answered_;
    std::thread thread_;
};

}  // namespace ostrel::test
