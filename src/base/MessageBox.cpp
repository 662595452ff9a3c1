#include "base/MessageBox.h"

#include "base/AnsiString.h"

namespace ostrel {

namespace {

void Show(const std::string& text, const std::string& caption, UINT icon)
{
    ShowBoundedBox(nullptr, text, caption, MB_OK | icon | MB_TASKMODAL);
}

}  // namespace

void ShowErrorBox(const std::string& text, const std::string& caption)
{
    Show(text, caption, MB_ICONERROR);
}

void ShowMessage(const std::string& text)
{
    Show(text, ApplicationTitle, 0);
}

int ShowBoundedBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    const std::string shownText = CutWithEllipsis(text, MaxBoxText);
    const std::string shownCaption = CutWithEllipsis(caption, MaxBoxText);
    return MessageBoxA(owner, shownText.c_str(), shownCaption.c_str(), type);
}

}  // namespace ostrel
