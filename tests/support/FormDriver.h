#pragma once

#include "base/UniqueResource.h"
#include "ui/controls/Form.h"

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

constexpr DWORD LeftClick = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;

// Moves the cursor onto a point of `control` and sends mouse buttons
// through the system, so capture and hit testing work as with a user.
void Mouse(const TControl& control, int x, int y, DWORD buttons = 0);

// Forms centre on this hidden owner at the screen's top left, away from
// other tests' forms in the middle.
UniqueWindow MakeOwner();

// Shows the form, on top, while `actions` act on it, then clicks `ok`
// with the mouse. That click is handled after all input before it, so the
// result is OK only when everything earlier has been handled.
int Drive(TForm& form, const TControl& ok, const std::function<void()>& actions);

// A key pressed and released on a window, through the thread's queue.
void PressKey(HWND window, WORD key);
// Waits until a visible top-level window of this process has the caption.
HWND WaitForWindow(const char* caption, int milliseconds = 5000);

}  // namespace ostrel::test
