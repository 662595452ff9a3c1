#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ostrel::test {

// Finding and using the child windows of a dialog that runs on another
// thread, as a user would. Messages are sent, so they run on that thread.

// The control with the component name, as the language files name it; a
// test failure when the dialog has none.
HWND FindControl(HWND dialog, const std::string& name);
// The direct children of `parent`, from top to bottom.
std::vector<HWND> ChildrenTopDown(HWND parent);

std::string TextOf(HWND window);
void SetText(HWND window, const std::string& text);
// Returns once the click has been handled, with any box it raised closed.
void Click(HWND button);
// Returns at once: for clicks that open a dialog this thread answers, and
// for those that close a form, whose modal loop looks at its result only
// after a posted message.
void PostClick(HWND button);

// The window with the keyboard focus on the thread that owns `window`.
HWND FocusedWindow(HWND window);
// Moves the focus to `control` on its own thread, as the dialog does.
void FocusControl(HWND dialog, HWND control);

// Polls `condition` until it holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 10000);

// Waits for a system dialog (#32770) of this process with the title.
HWND WaitForSystemDialog(const std::string& title, int milliseconds = 20000);
// Enters `path` as the file name in the open or save dialog with the title,
// presses OK, and waits until the dialog has gone. False when it did not go.
bool ChooseFile(const std::string& title, const std::string& path, int milliseconds = 20000);

// Cancels every visible box and dialog of this process and closes its other
// visible windows, so a failed test leaves no modal loop running.
void CloseOpenDialogs();

}  // namespace ostrel::test
