#include "DialogWindows.h"

#include "ui/controls/Control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace ostrel::test {

namespace {

constexpr int FileNameCombo = 0x47C;
constexpr int FileNameEdit = 0x480;

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct Search {
    std::function<bool(HWND)> match;
    bool topLevel;
    std::vector<HWND> found;
};

// Collects matches; a child search stops at the first one.
BOOL CALLBACK Visit(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    if (search.topLevel) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window)) {
            return TRUE;
        }
    }
    if (search.match(window)) {
        search.found.push_back(window);
        return search.topLevel;
    }
    return TRUE;
}

HWND FindDescendant(HWND dialog, std::function<bool(HWND)> match)
{
    Search search{std::move(match), false, {}};
    EnumChildWindows(dialog, Visit, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> TopLevelWindows(std::function<bool(HWND)> match)
{
    Search search{std::move(match), true, {}};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Gone(HWND window)
{
    return !IsWindow(window) || !IsWindowVisible(window);
}

}  // namespace

HWND FindControl(HWND dialog, const std::string& name)
{
    HWND control = FindDescendant(dialog, [&](HWND child) { return ComponentNameOf(child) == name; });
    if (control == nullptr) {
        ADD_FAILURE() << "The dialog has no control named " << name;
    }
    return control;
}

std::vector<HWND> ChildrenTopDown(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    auto top = [](HWND window) {
        RECT frame = {};
        GetWindowRect(window, &frame);
        return frame.top;
    };
    std::stable_sort(children.begin(), children.end(), [&](HWND a, HWND b) { return top(a) < top(b); });
    return children;
}

std::string TextOf(HWND window)
{
    char text[4096] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void SetText(HWND window, const std::string& text)
{
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0);
}

void PostClick(HWND button)
{
    PostMessageA(button, BM_CLICK, 0, 0);
}

HWND FocusedWindow(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

void FocusControl(HWND dialog, HWND control)
{
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

HWND WaitForSystemDialog(const std::string& title, int milliseconds)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> dialogs = TopLevelWindows(
                [&](HWND window) { return ClassOf(window) == "#32770" && TextOf(window) == title; });
            found = dialogs.empty() ? nullptr : dialogs.front();
            return found != nullptr;
        },
        milliseconds);
    return found;
}

// The dialog may still settle its controls after it shows, so the name is
// entered again until OK takes it.
bool ChooseFile(const std::string& title, const std::string& path, int milliseconds)
{
    HWND dialog = WaitForSystemDialog(title, milliseconds);
    if (dialog == nullptr) {
        return false;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        for (int id : {FileNameCombo, FileNameEdit}) {
            if (HWND name = GetDlgItem(dialog, id)) {
                SetText(name, path);
            }
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        if (WaitUntil([&] { return Gone(dialog); }, 2000)) {
            return true;
        }
    }
    return Gone(dialog);
}

void CloseOpenDialogs()
{
    for (HWND window : TopLevelWindows([](HWND candidate) { return ClassOf(candidate) == "#32770"; })) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    for (HWND window : TopLevelWindows([](HWND candidate) { return ClassOf(candidate) != "#32770"; })) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

}  // namespace ostrel::test
