#include "ui/controls/Form.h"

#include "base/WinError.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

namespace ostrel {

namespace {

struct FrameStyle {
    DWORD style;
    DWORD exStyle;
};

FrameStyle StyleOf(int borderStyle)
{
    switch (borderStyle) {
    case bsNone: return {WS_POPUP, 0};
    case bsSizeable: return {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0};
    case bsDialog: return {WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME};
    case bsToolWindow: return {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
    case bsSizeToolWin: return {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW};
    default: return {WS_CAPTION | WS_SYSMENU | WS_BORDER, 0};
    }
}

// The tooltip's entry for a control of the form.
TOOLINFOA ToolOf(HWND form, const TControl& control)
{
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
    return tool;
}

// Disables the windows a modal form stands in front of, and enables them
// again on every way out.
class DisabledWindows {
public:
    DisabledWindows(HWND owner, HWND form) : form_(form)
    {
        if (owner != nullptr) {
            Disable(owner);
        } else {
            EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::Collect, reinterpret_cast<LPARAM>(this));
            if (collectError_) {
                std::rethrow_exception(collectError_);
            }
        }
        windows_.erase(std::remove(windows_.begin(), windows_.end(), form), windows_.end());
    }
    ~DisabledWindows()
    {
        for (HWND window : windows_) {
            EnableWindow(window, TRUE);
        }
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    // A system callback: an error stops the enumeration and is raised after it.
    static BOOL CALLBACK Collect(HWND window, LPARAM self)
    {
        auto* disabled = reinterpret_cast<DisabledWindows*>(self);
        try {
            if (window != disabled->form_ && IsWindowVisible(window)) {
                disabled->Disable(window);
            }
            return TRUE;
        } catch (...) {
            disabled->collectError_ = std::current_exception();
            return FALSE;
        }
    }
    void Disable(HWND window)
    {
        if (IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            windows_.push_back(window);
        }
    }

    HWND form_ = nullptr;
    std::vector<HWND> windows_;
    std::exception_ptr collectError_;
};

}  // namespace

TForm::TForm(HWND ownerWindow, std::string name) : TWinControl(*this, nullptr, std::move(name)), ownerWindow_(ownerWindow)
{
    FrameStyle frame = StyleOf(borderStyle_);
    CreateHandle(ContainerWindowClass(), frame.style | WS_CLIPCHILDREN, frame.exStyle | WS_EX_CONTROLPARENT);
    if (ownerWindow_ != nullptr) {
        SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow_));
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   ModuleInstance(), nullptr));
}

TForm::~TForm()
{
    // Controls go before the window that holds them, and that window before
    // the form's own members.
    while (!components_.empty()) {
        components_.pop_back();
    }
    // The tooltip belongs to the form's window, which would take it along
    // and leave a stale handle behind.
    tooltip_.reset();
    DestroyHandle();
}

Component* TForm::FindComponent(std::string_view name)
{
    for (const auto& component : components_) {
        if (SameName(component->Name(), name)) {
            return component.get();
        }
    }
    return nullptr;
}

const PropertyTable& TForm::Properties() const
{
    static const PropertyTable table(
        TWinControl::Properties(),
        {
            OrdinalProperty("ClientWidth", PropertyKind::Integer, 0, INT32_MAX, &TForm::ClientWidth,
                            &TForm::SetClientWidth),
            OrdinalProperty("ClientHeight", PropertyKind::Integer, 0, INT32_MAX, &TForm::ClientHeight,
                            &TForm::SetClientHeight),
            OrdinalProperty("BorderStyle", PropertyKind::Enumeration, bsNone, bsSizeToolWin, &TForm::BorderStyle,
                            &TForm::SetBorderStyle,
                            {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}),
            BooleanProperty("ShowHint", &TForm::FormShowHint, &TForm::SetFormShowHint),
            BooleanProperty("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview),
        });
    return table;
}

void TForm::SetClientSize(int width, int height)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    SetBounds(Left(), Top(), frame.right - frame.left, frame.bottom - frame.top);
}

void TForm::SetBorderStyle(int style)
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    FrameStyle old = StyleOf(borderStyle_);
    FrameStyle frame = StyleOf(style);
    borderStyle_ = style;
    ChangeStyle(old.style, frame.style);
    LONG_PTR exStyle = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, (exStyle & ~static_cast<LONG_PTR>(old.exStyle)) | frame.exStyle);
    SetClientSize(width, height);
}

void TForm::SetFormShowHint(bool show)
{
    showHint_ = show;
    for (const auto& component : components_) {
        HintChanged(*component);
    }
}

void TForm::HintGone(TControl& control)
{
    if (tooltip_ && &control != this) {
        TOOLINFOA tool = ToolOf(Handle(), control);
        SendMessageA(tooltip_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TForm::HintChanged(TControl& control)
{
    if (!tooltip_ || &control == this) {
        return;
    }
    HintGone(control);
    TOOLINFOA tool = ToolOf(Handle(), control);
    std::string hint = control.Hint();
    if ((showHint_ || control.ShowHint()) && !hint.empty()) {
        tool.lpszText = hint.data();
        SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TForm::SetModalResult(int result)
{
    modalResult_ = result;
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void TForm::KeepError(std::exception_ptr error)
{
    if (!keptError_) {
        keptError_ = error;
    }
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void TForm::RethrowKeptError()
{
    if (keptError_) {
        std::rethrow_exception(std::exchange(keptError_, nullptr));
    }
}

int TForm::ShowModal()
{
    modalResult_ = mrNone;
    // A form a language file disabled would take no input and never close.
    if (!Enabled()) {
        SetEnabled(true);
    }
    // Declared first, so it runs last: the owner is enabled again before the
    // form hides, and activation goes back to it, not to another program.
    ScopeExit hide([this] { ShowWindow(Handle(), SW_HIDE); });
    DisabledWindows disabled(ownerWindow_, Handle());
    Center();
    if (OnShow) {
        OnShow(*this);
    }
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
        ::SetFocus(first);
    }
    MSG message;
    while (modalResult_ == mrNone) {
        RethrowKeptError();
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The host's quit request stays for its own loop.
            PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 0);
            modalResult_ = mrCancel;
            break;
        }
        PreviewKey(message);
        if (!IsDialogMessageA(Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    RethrowKeptError();
    if (OnClose) {
        OnClose(*this);
    }
    return modalResult_;
}

void TForm::PreviewKey(const MSG& message)
{
    if (!keyPreview_ || !OnKeyDown || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
        (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))) {
        return;
    }
    int shift = 0;
    shift |= (GetKeyState(VK_SHIFT) < 0) ? ssShift : 0;
    shift |= (GetKeyState(VK_CONTROL) < 0) ? ssCtrl : 0;
    shift |= (GetKeyState(VK_MENU) < 0) ? ssAlt : 0;
    OnKeyDown(*this, static_cast<WORD>(message.wParam), shift);
}

void TForm::Center()
{
    RECT around = {};
    if (ownerWindow_ != nullptr) {
        GetWindowRect(ownerWindow_, &around);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
    }
    int left = around.left + (around.right - around.left - Width()) / 2;
    int top = around.top + (around.bottom - around.top - Height()) / 2;
    SetBounds(left, top, Width(), Height());
}

void TForm::MoveFocus(WPARAM wParam, LPARAM lParam)
{
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        target = GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
    }
    if (target != nullptr) {
        ::SetFocus(target);
    }
}

void TForm::ClickIfEnabled(TControl* button)
{
    if (button != nullptr && button->Enabled() && button->Visible()) {
        button->Click();
    }
}

bool TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case DM_GETDEFID:
        // Enter comes back as IDOK, whichever panel holds the default button.
        result = MAKELRESULT(IDOK, DC_HASDEFID);
        return true;
    case WM_NEXTDLGCTL:
        MoveFocus(wParam, lParam);
        result = 0;
        return true;
    case WM_COMMAND:
        if (lParam == 0 || TControl::FromHandle(reinterpret_cast<HWND>(lParam)) == nullptr) {
            if (LOWORD(wParam) == IDOK) {
                ClickIfEnabled(defaultButton_);
            } else if (LOWORD(wParam) == IDCANCEL) {
                ClickIfEnabled(cancelButton_);
            }
            result = 0;
            return true;
        }
        break;
    case WM_CLOSE:
        SetModalResult(mrCancel);
        result = 0;
        return true;
    case WM_DESTROY:
        // The window goes before the form (its owner went): the system has
        // already taken the tooltip, an owned window, along.
        tooltip_.release();
        break;
    case WM_ACTIVATE:
        // A message box takes the focus; it comes back to the same control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focusedControl_ = IsChild(Handle(), focus) ? focus : nullptr;
        } else if (focusedControl_ != nullptr && IsWindow(focusedControl_)) {
            ::SetFocus(focusedControl_);
            result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return TWinControl::HandleMessage(message, wParam, lParam, result);
}

}  // namespace ostrel
