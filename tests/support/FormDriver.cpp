#include "FormDriver.h"

#include "DialogWindows.h"

#include <chrono>
#include <string>

namespace ostrel::test {

FormDriver::FormDriver(HWND form, std::function<void()> actions)
    : thread_([form, actions = std::move(actions)] {
          for (int wait = 0; wait < 500 && !IsWindowVisible(form); ++wait) {
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
          actions();
      })
{
}

FormDriver::~FormDriver()
{
    thread_.join();
}

void Mouse(const TControl& control, int x, int y, DWORD buttons)
{
    POINT point = {x, y};
    ClientToScreen(control.Handle(), &point);
    SetCursorPos(point.x, point.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = buttons;
    if (buttons != 0) {
        SendInput(1, &input, sizeof input);
    }
}

UniqueWindow MakeOwner()
{
    SetCursorPos(0, 0);
    return UniqueWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 420, 420, nullptr, nullptr, nullptr, nullptr));
}

int Drive(TForm& form, const TControl& ok, const std::function<void()>& actions)
{
    FormDriver driver(form.Handle(), [&] {
        SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        actions();
        Mouse(ok, 5, 5, LeftClick);
        if (!WaitUntil([&] { return !IsWindowVisible(form.Handle()); }, 5000)) {
            PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        }
    });
    return form.ShowModal();
}

void PressKey(HWND window, WORD key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

namespace {

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::string(text) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForWindow(const char* caption, int milliseconds)
{
    Search search = {caption, nullptr};
    for (int waited = 0; waited < milliseconds && search.found == nullptr; waited += 10) {
        EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return search.found;
}

}  // namespace ostrel::test
