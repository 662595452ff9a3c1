#include "base/MessageBox.h"

#include <windows.h>

namespace ostrel {

namespace {

void Show(const std::string& text, const std::string& caption, UINT icon)
{
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | icon | MB_TASKMODAL);
}

}  // namespace

void ShowErrorBox(const std::string& text, const std::string& caption)
{
    Show(text, caption, MB_ICONERROR);
}

void ShowInfoBox(const std::string& text, const std::string& caption)
{
    Show(text, caption, MB_ICONINFORMATION);
}

void ShowMessage(const std::string& text)
{
    Show(text, ApplicationTitle, 0);
}

}  // namespace ostrel
