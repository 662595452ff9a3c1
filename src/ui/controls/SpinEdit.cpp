#include "ui/controls/SpinEdit.h"

#include "ui/controls/Form.h"

namespace ostrel {

namespace {

constexpr UINT_PTR RepeatTimer = 1;

char UserDecimalSeparator()
{
    char separator[4] = ".";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    return separator[0];
}

}  // namespace

TSpinButton::TSpinButton(TForm& owner, TWinControl* parent, std::string name, TSpinEdit& edit, bool up)
    : TControl(owner, parent, std::move(name)), edit_(edit), up_(up)
{
    CreateHandle("BUTTON", WS_VISIBLE | BS_OWNERDRAW);
}

bool TSpinButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        edit_.SetFocus();
        edit_.ButtonStep(up_);
        SetTimer(Handle(), RepeatTimer, SpinRepeatDelayMs, nullptr);
        break;
    case WM_TIMER:
        if (wParam == RepeatTimer) {
            SetTimer(Handle(), RepeatTimer, SpinRepeatIntervalMs, nullptr);
            if (GetCapture() == Handle()) {
                edit_.ButtonStep(up_);
            }
            result = 0;
            return true;
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        KillTimer(Handle(), RepeatTimer);
        break;
    case WM_SETFOCUS:
        // The focus belongs to the edit, not to its buttons.
        edit_.SetFocus();
        result = 0;
        return true;
    default:
        break;
    }
    return TControl::HandleMessage(message, wParam, lParam, result);
}

void TSpinButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    RECT frame = item.rcItem;
    UINT state = (up_ ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0) |
                 ((item.itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0);
    DrawFrameControl(item.hDC, &frame, DFC_SCROLL, state);
}

TSpinEdit::TSpinEdit(TForm& owner, TWinControl* parent, std::string name)
    : TWinControl(owner, parent, std::move(name))
{
    rules_.decimalSeparator = UserDecimalSeparator();
    SetColor(clWindow);
    CreateHandle("EDIT", WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    SetCaption(SpinInitialText);
    upButton_ = std::make_unique<TSpinButton>(owner, this, "", *this, true);
    downButton_ = std::make_unique<TSpinButton>(owner, this, "", *this, false);
    PlaceButtons();
}

const PropertyTable& TSpinEdit::Properties() const
{
    static const PropertyTable table(
        TWinControl::Properties(),
        {
            OrdinalProperty("MinValue", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TSpinEdit::MinValue,
                            &TSpinEdit::SetMinValue),
            OrdinalProperty("MaxValue", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TSpinEdit::MaxValue,
                            &TSpinEdit::SetMaxValue),
            OrdinalProperty("Increment", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TSpinEdit::Increment,
                            &TSpinEdit::SetIncrement),
            BooleanProperty("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled),
            OrdinalProperty("Value", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TSpinEdit::Value,
                            &TSpinEdit::SetValue),
        });
    return table;
}

void TSpinEdit::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, height);
    PlaceButtons();
}

void TSpinEdit::PlaceButtons()
{
    if (!upButton_ || !downButton_) {
        return;
    }
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int left = client.right - SpinButtonWidth;
    const int half = client.bottom / 2;
    upButton_->SetBounds(left, 0, SpinButtonWidth, half);
    downButton_->SetBounds(left, half, SpinButtonWidth, client.bottom - half);
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, SpinButtonWidth + 2));
}

void TSpinEdit::SetRange(int minimum, int maximum)
{
    rules_.minValue = minimum;
    rules_.maxValue = maximum;
}

int TSpinEdit::Value() const
{
    return rules_.ReadValue(Caption());
}

void TSpinEdit::SetValue(int value)
{
    SetCaption(rules_.ValueText(value));
}

void TSpinEdit::ButtonStep(bool up)
{
    Perform(rules_.ButtonClick(up));
}

bool TSpinEdit::Perform(SpinAction action)
{
    switch (action) {
    case SpinAction::StepUp:
        SetCaption(rules_.SteppedText(Caption(), +1));
        return true;
    case SpinAction::StepDown:
        SetCaption(rules_.SteppedText(Caption(), -1));
        return true;
    case SpinAction::Beep:
        MessageBeep(0);
        return false;
    case SpinAction::DropWithBeep:
        MessageBeep(0);
        return true;
    case SpinAction::Drop:
        return true;
    case SpinAction::Pass:
        break;
    }
    return false;
}

bool TSpinEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_KEYDOWN:
        if (Perform(rules_.KeyDown(static_cast<unsigned>(wParam)))) {
            result = 0;
            return true;
        }
        break;
    case WM_CHAR:
        if (Perform(rules_.TypedChar(static_cast<char>(wParam)))) {
            result = 0;
            return true;
        }
        break;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
        if (!rules_.AllowsClipboardEdits()) {
            result = 0;
            return true;
        }
        break;
    case WM_KILLFOCUS:
        if (std::optional<std::string> text = rules_.ExitText(Caption())) {
            SetCaption(*text);
        }
        break;
    default:
        break;
    }
    if (message == WM_ERASEBKGND) {
        return false;  // the edit paints its own background
    }
    return TWinControl::HandleMessage(message, wParam, lParam, result);
}

}  // namespace ostrel
