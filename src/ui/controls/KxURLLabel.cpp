#include "ui/controls/KxURLLabel.h"

#include "ui/controls/Form.h"

#include <shellapi.h>
#include <windowsx.h>

#include <utility>

namespace ostrel {

namespace {

constexpr int crHandPoint = -21;

void ShellOpen(HWND window, const std::string& verb, const std::string& target, int show)
{
    // A missing mail program or browser is not reported.
    ShellExecuteA(window, verb.c_str(), target.c_str(), nullptr, nullptr, show);
}

}  // namespace

TKxURLLabel::TKxURLLabel(TForm& owner, TWinControl* parent, std::string name)
    : TLabel(owner, parent, std::move(name)), Opener(ShellOpen)
{
    SetCursor(crHandPoint);
    Font().SetColor(clBlue);
    Font().SetStyle(fsUnderline);
    SetCaption("URL");
}

const PropertyTable& TKxURLLabel::Properties() const
{
    static const PropertyTable table(
        TLabel::Properties(),
        {
            OrdinalProperty("ColorNormal", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TKxURLLabel::ColorNormal,
                            &TKxURLLabel::SetColorNormal),
            OrdinalProperty("ColorMoveOver", PropertyKind::Integer, INT32_MIN, INT32_MAX,
                            &TKxURLLabel::ColorMoveOver, &TKxURLLabel::SetColorMoveOver),
            OrdinalProperty("ColorClick", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TKxURLLabel::ColorClick,
                            &TKxURLLabel::SetColorClick),
            TextProperty("URL", &TKxURLLabel::URL, &TKxURLLabel::SetURL),
            OrdinalProperty("UrlKind", PropertyKind::Enumeration, kx::urlWeb, kx::urlMail, &TKxURLLabel::UrlKind,
                            &TKxURLLabel::SetUrlKind, {"urlWeb", "urlMail"}),
        });
    return table;
}

bool TKxURLLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        MouseDown();
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOUSEMOVE:
        MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOUSELEAVE:
        // While the label holds the mouse, its moves tell enter and leave.
        if (GetCapture() != Handle()) {
            MouseLeave();
        }
        break;
    default:
        break;
    }
    return TLabel::HandleMessage(message, wParam, lParam, result);
}

void TKxURLLabel::MouseDown()
{
    pressed_ = true;
    mouseOver_ = true;
    SetFontColor(colorClick_);
    // The release must come back here even when it happens off the label.
    SetCapture(Handle());
}

void TKxURLLabel::MouseUp(int x, int y)
{
    if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
    // Cleared first: the shell may run a message loop while it opens.
    const bool pressed = std::exchange(pressed_, false);
    if (!kx::ReleasedOnLabel(x, y, Width(), Height())) {
        SetFontColor(colorNormal_);
    } else if (pressed) {
        Opener(Owner().Handle(), "open", kx::UrlTarget(urlKind_, url_, Caption()), SW_SHOW);
        SetFontColor(colorMoveOver_);
    }
    if (mouseOver_) {
        TrackLeave();
    }
}

void TKxURLLabel::MouseMove(int x, int y)
{
    const bool over = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (over && !mouseOver_) {
        MouseEnter();
    } else if (!over && mouseOver_) {
        MouseLeave();
    }
}

void TKxURLLabel::MouseEnter()
{
    mouseOver_ = true;
    SetFontColor(pressed_ ? colorClick_ : colorMoveOver_);
    TrackLeave();
}

void TKxURLLabel::MouseLeave()
{
    if (mouseOver_) {
        mouseOver_ = false;
        SetFontColor(colorNormal_);
    }
}

void TKxURLLabel::SetFontColor(TColor color)
{
    // Each change makes a new GDI font; most moves change nothing.
    if (Font().Color() != color) {
        Font().SetColor(color);
    }
}

void TKxURLLabel::TrackLeave()
{
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
    // Tracking starts only while the pointer is on the label; when it has
    // already gone by the time its message is handled, that is the leave.
    POINT cursor = {};
    if (GetCapture() != Handle() && GetCursorPos(&cursor) && WindowFromPoint(cursor) != Handle()) {
        MouseLeave();
    }
}

}  // namespace ostrel
