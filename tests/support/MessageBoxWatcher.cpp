#include "MessageBoxWatcher.h"

#include <algorithm>
#include <chrono>

namespace ostrel::test {

namespace {

std::string WindowText(HWND window)
{
    char buffer[8192] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectBox(HWND window, LPARAM list)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == "#32770") {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

// The box's message is its longest static text; the icon has none.
BOOL CALLBACK CollectStaticText(HWND child, LPARAM best)
{
    auto& text = *reinterpret_cast<std::string*>(best);
    if (ClassOf(child) == "Static") {
        std::string candidate = WindowText(child);
        if (candidate.size() > text.size()) {
            text = candidate;
        }
    }
    return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(int answer) : answer_(answer), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher()
{
    stop_ = true;
    thread_.join();
}

std::vector<SeenBox> MessageBoxWatcher::Boxes() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return boxes_;
}

void MessageBoxWatcher::Watch()
{
    while (!stop_) {
        std::vector<HWND> boxes;
        EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&boxes));
        for (HWND box : boxes) {
            Answer(box);
        }
        // Forget closed boxes: their handles may come back for new ones.
        std::lock_guard<std::mutex> guard(mutex_);
        answered_.erase(std::remove_if(answered_.begin(), answered_.end(),
                                       [&](HWND seen) {
                                           return std::find(boxes.begin(), boxes.end(), seen) ==
                                                  boxes.end();
                                       }),
                        answered_.end());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void MessageBoxWatcher::Answer(HWND box)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) {
            return;
        }
        answered_.push_back(box);
        std::string text;
        EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
        boxes_.push_back({WindowText(box), text});
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
}

}  // namespace ostrel::test
