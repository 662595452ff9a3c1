#pragma once

#include <windows.h>

#include <functional>
#include <thread>

namespace ostrel::test {

// Acts on a modal form from another thread, as a user would, once the
// form is on screen; the form's own thread stays in its modal loop.
class FormDriver {
public:
    FormDriver(HWND form, std::function<void()> actions);
    ~FormDriver();
    FormDriver(const FormDriver&) = delete;
    FormDriver& operator=(const FormDriver&) = delete;

private:
    std::thread thread_;
};

// A key pressed and released on a window, through the thread's queue.
void PressKey(HWND window, WORD key);
// Waits until a visible top-level window of this process has the caption.
HWND WaitForWindow(const char* caption, int milliseconds = 5000);

}  // namespace ostrel::test
