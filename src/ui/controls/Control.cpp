#include "ui/controls/Control.h"

#include "base/WinError.h"
#include "ui/controls/Form.h"

#include <commctrl.h>

#include <algorithm>

namespace ostrel {

namespace {

constexpr const char* ControlProperty = "OstrelControl";
constexpr const char* NameProperty = "OstrelComponentName";
constexpr const char* ContainerClassName = "OstrelContainer";

LPCSTR CursorResource(int cursor)
{
    switch (cursor) {
    case -2: return IDC_ARROW;
    case -3: return IDC_CROSS;
    case -4: return IDC_IBEAM;
    case -6: return IDC_SIZENESW;
    case -7: return IDC_SIZENS;
    case -8: return IDC_SIZENWSE;
    case -9: return IDC_SIZEWE;
    case -10: return IDC_UPARROW;
    case -11:
    case -17: return IDC_WAIT;
    case -13:
    case -18: return IDC_NO;
    case -19: return IDC_APPSTARTING;
    case -20: return IDC_HELP;
    case -21: return IDC_HAND;
    case -22: return IDC_SIZEALL;
    default: return nullptr;
    }
}

// Unregisters the container class when the module goes, so a later load
// of the plug-in at another address registers it afresh.
struct ContainerClassRegistration {
    ContainerClassRegistration()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = ModuleInstance();
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = ContainerClassName;
        if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            RaiseLastOSError("RegisterClassA");
        }
    }
    ~ContainerClassRegistration() { UnregisterClassA(ContainerClassName, ModuleInstance()); }
};

}  // namespace

HINSTANCE ModuleInstance()
{
    static const HINSTANCE instance = [] {
        HMODULE module = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ModuleInstance), &module);
        return module;
    }();
    return instance;
}

std::string ComponentNameOf(HWND window)
{
    const auto* name = static_cast<const char*>(GetPropA(window, NameProperty));
    return name ? name : "";
}

const char* ContainerWindowClass()
{
    static const ContainerClassRegistration registration;
    return ContainerClassName;
}

TControl::TControl(TForm& owner, TWinControl* parent, std::string name)
    : owner_(owner), parent_(parent), name_(std::move(name))
{
    font_.OnChange = [this] {
        if (!applyingParentFont_) {
            parentFont_ = false;
        }
        FontChanged();
    };
    if (parent_ != nullptr) {
        color_ = parent_->Color();
        applyingParentFont_ = true;
        font_.Assign(parent_->Font());
        applyingParentFont_ = false;
    }
}

TControl::~TControl()
{
    DestroyHandle();
    if (parent_ != nullptr) {
        parent_->RemoveChild(*this);
    }
}

// The window's last messages go to its class's own procedure: the members
// they might touch (font, brush, those of derived classes) are being
// destroyed. Its child windows still reach their living controls.
void TControl::DestroyHandle()
{
    HWND window = window_.get();
    if (window == nullptr) {
        return;
    }
    owner_.HintGone(*this);
    Untie(window);
    DestroyWindow(window);
}

// From here on no message of `window` reaches this object. Runs before the
// object destroys its window, or at WM_NCDESTROY when the window goes first
// (its parent or owner went). Other subclasses, such as the tooltip's, stay
// chained as they were.
void TControl::Untie(HWND window)
{
    RemoveWindowSubclass(window, &TControl::SubclassProc, 0);
    RemovePropA(window, ControlProperty);
    RemovePropA(window, NameProperty);
    if (window_.get() == window) {
        window_.release();
    }
}

const PropertyTable& TControl::Properties() const
{
    static const PropertyTable table = {
        TextProperty("Caption", &TControl::Caption, &TControl::SetCaption),
        TextProperty("Hint", &TControl::Hint, &TControl::SetHint),
        BooleanProperty("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
        OrdinalProperty("Left", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TControl::Left, &TControl::SetLeft),
        OrdinalProperty("Top", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TControl::Top, &TControl::SetTop),
        OrdinalProperty("Width", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TControl::Width, &TControl::SetWidth),
        OrdinalProperty("Height", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TControl::Height,
                        &TControl::SetHeight),
        BooleanProperty("Visible", &TControl::Visible, &TControl::SetVisible),
        BooleanProperty("Enabled", &TControl::Enabled, &TControl::SetEnabled),
        OrdinalProperty("Color", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TControl::Color, &TControl::SetColor),
        OrdinalProperty("Cursor", PropertyKind::Integer, -32768, 32767, &TControl::Cursor, &TControl::SetCursor),
        OrdinalProperty("TabOrder", PropertyKind::Integer, -1, 32767, &TControl::TabOrder, &TControl::SetTabOrder),
        OrdinalProperty("Tag", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TControl::Tag, &TControl::SetTag),
        ObjectProperty("Font", &TControl::FontObject),
        BooleanProperty("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
        OrdinalProperty("Align", PropertyKind::Enumeration, alNone, alClient, &TControl::Align, &TControl::SetAlign,
                        {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}),
        OrdinalProperty("Anchors", PropertyKind::Set, 0, 15, &TControl::Anchors, &TControl::SetAnchors,
                        {"akLeft", "akTop", "akRight", "akBottom"}),
    };
    return table;
}

TControl* TControl::FromHandle(HWND window)
{
    return window ? static_cast<TControl*>(GetPropA(window, ControlProperty)) : nullptr;
}

void TControl::CreateHandle(const char* windowClass, DWORD style, DWORD exStyle)
{
    windowClass_ = windowClass;
    style_ = style;
    exStyle_ = exStyle;
    if (parent_ != nullptr) {
        style_ |= WS_CHILD;
        id_ = owner_.NextControlId();
    }
    MakeWindow();
    if (parent_ != nullptr) {
        parent_->AddChild(*this);
    }
    HandleCreated();
}

void TControl::MakeWindow()
{
    HWND parentWindow = parent_ ? parent_->Handle() : nullptr;
    window_.reset(CreateWindowExA(exStyle_, windowClass_, "", style_, left_, top_, width_, height_, parentWindow,
                                  parentWindow ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)) : nullptr,
                                  ModuleInstance(), nullptr));
    if (!window_) {
        RaiseLastOSError("CreateWindowExA");
    }
    SetPropA(Handle(), ControlProperty, this);
    SetPropA(Handle(), NameProperty, const_cast<char*>(name_.c_str()));
    if (!SetWindowSubclass(Handle(), &TControl::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
        RaiseLastOSError("SetWindowSubclass");
    }
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

void TControl::RecreateHandle(DWORD removeStyle, DWORD addStyle)
{
    const std::string caption = Caption();
    style_ = (static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)) & ~removeStyle) | addStyle;
    DestroyHandle();
    MakeWindow();
    SetWindowTextA(Handle(), caption.c_str());
    EnableWindow(Handle(), enabled_);
    ShowWindow(Handle(), visible_ ? SW_SHOWNA : SW_HIDE);
    if (parent_ != nullptr) {
        parent_->ApplyTabOrder();
    }
    owner_.HintChanged(*this);
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self)
{
    auto* control = reinterpret_cast<TControl*>(self);
    if (message == WM_NCDESTROY) {
        control->Untie(window);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        LRESULT result = 0;
        if (control->HandleMessage(message, wParam, lParam, result)) {
            return result;
        }
    } catch (...) {
        control->owner_.KeepError(std::current_exception());
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

bool TControl::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT && SetCursorShape()) {
        result = TRUE;
        return true;
    }
    return false;
}

bool TControl::SetCursorShape()
{
    LPCSTR shape = CursorResource(cursor_);
    if (shape == nullptr) {
        return false;
    }
    ::SetCursor(LoadCursorA(nullptr, shape));
    return true;
}

void TControl::ChangeStyle(DWORD remove, DWORD add)
{
    LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(Handle(), nullptr, TRUE);
}

std::string TControl::Caption() const
{
    int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(Handle(), text.data(), length + 1)));
    return text;
}

void TControl::SetCaption(const std::string& caption)
{
    SetWindowTextA(Handle(), caption.c_str());
    InvalidateRect(Handle(), nullptr, TRUE);
    TextChanged();
}

void TControl::SetHint(const std::string& hint)
{
    hint_ = hint;
    owner_.HintChanged(*this);
}

void TControl::SetShowHint(bool show)
{
    showHint_ = show;
    owner_.HintChanged(*this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (Handle() != nullptr) {
        MoveWindow(Handle(), left, top, width, height, TRUE);
    }
}

void TControl::SetVisible(bool visible)
{
    visible_ = visible;
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    EnableWindow(Handle(), enabled);
}

void TControl::SetColor(TColor color)
{
    color_ = color;
    brush_.reset();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TControl::SetTabOrder(int tabOrder)
{
    tabOrder_ = tabOrder;
    if (parent_ != nullptr) {
        parent_->ApplyTabOrder();
    }
}

void TControl::SetParentFont(bool parentFont)
{
    parentFont_ = parentFont;
    if (parentFont && parent_ != nullptr) {
        ParentFontChanged(parent_->Font());
    }
}

void TControl::SetAlign(int align)
{
    align_ = align;
    if (parent_ != nullptr) {
        parent_->Realign();
    }
}

void TControl::SetAnchors(int anchors)
{
    anchors_ = anchors;
}

void TControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TControl::Command(WORD notification)
{
    if (notification == BN_CLICKED || notification == STN_CLICKED) {
        Click();
    }
}

void TControl::Click()
{
    if (OnClick) {
        OnClick(*this);
    }
}

HBRUSH TControl::ControlColor(HDC dc)
{
    if (!brush_) {
        brush_.reset(CreateSolidBrush(ColorToRGB(color_)));
    }
    SetTextColor(dc, ColorToRGB(font_.Color()));
    SetBkColor(dc, ColorToRGB(color_));
    return brush_.get();
}

void TControl::ParentFontChanged(const TFont& font)
{
    if (parentFont_) {
        applyingParentFont_ = true;
        font_.Assign(font);
        applyingParentFont_ = false;
    }
}

void TControl::FontChanged()
{
    if (Handle() != nullptr) {
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TControl::ParentResized(int oldWidth, int oldHeight, int newWidth, int newHeight)
{
    if (align_ != alNone) {
        return;
    }
    int left = left_;
    int top = top_;
    int width = width_;
    int height = height_;
    if (anchors_ & akRight) {
        if (anchors_ & akLeft) {
            width += newWidth - oldWidth;
        } else {
            left += newWidth - oldWidth;
        }
    }
    if (anchors_ & akBottom) {
        if (anchors_ & akTop) {
            height += newHeight - oldHeight;
        } else {
            top += newHeight - oldHeight;
        }
    }
    if (left != left_ || top != top_ || width != width_ || height != height_) {
        SetBounds(left, top, width, height);
    }
}

void TWinControl::AddChild(TControl& child)
{
    children_.push_back(&child);
}

void TWinControl::RemoveChild(TControl& child)
{
    children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
}

void TWinControl::ApplyTabOrder()
{
    std::vector<TControl*> ordered = children_;
    std::stable_sort(ordered.begin(), ordered.end(), [](const TControl* a, const TControl* b) {
        auto rank = [](const TControl* c) { return c->TabOrder() < 0 ? INT32_MAX : c->TabOrder(); };
        return rank(a) < rank(b);
    });
    HWND previous = HWND_TOP;
    for (TControl* child : ordered) {
        SetWindowPos(child->Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = child->Handle();
    }
}

int TWinControl::ClientWidth() const
{
    RECT client = {};
    GetClientRect(Handle(), &client);
    return client.right;
}

int TWinControl::ClientHeight() const
{
    RECT client = {};
    GetClientRect(Handle(), &client);
    return client.bottom;
}

const PropertyTable& TWinControl::Properties() const
{
    static const PropertyTable table(
        TControl::Properties(),
        {OrdinalProperty("BorderWidth", PropertyKind::Integer, 0, INT32_MAX, &TWinControl::BorderWidth,
                         &TWinControl::SetBorderWidth)});
    return table;
}

void TWinControl::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Realign();
}

void TWinControl::Realign()
{
    RECT area = {borderWidth_, borderWidth_, ClientWidth() - borderWidth_, ClientHeight() - borderWidth_};
    for (TControl* child : children_) {
        switch (child->Align()) {
        case alTop:
            child->SetBounds(area.left, area.top, area.right - area.left, child->Height());
            area.top += child->Height();
            break;
        case alBottom:
            child->SetBounds(area.left, area.bottom - child->Height(), area.right - area.left, child->Height());
            area.bottom -= child->Height();
            break;
        case alLeft:
            child->SetBounds(area.left, area.top, child->Width(), area.bottom - area.top);
            area.left += child->Width();
            break;
        case alRight:
            child->SetBounds(area.right - child->Width(), area.top, child->Width(), area.bottom - area.top);
            area.right -= child->Width();
            break;
        default:
            break;
        }
    }
    for (TControl* child : children_) {
        if (child->Align() == alClient) {
            child->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
        }
    }
}

bool TWinControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->Command(HIWORD(wParam));
            result = 0;
            return true;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            result = reinterpret_cast<LRESULT>(child->ControlColor(reinterpret_cast<HDC>(wParam)));
            return true;
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (TControl* child = FromHandle(item.hwndItem)) {
            child->DrawItem(item);
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, ControlColor(reinterpret_cast<HDC>(wParam)));
        result = TRUE;
        return true;
    }
    case WM_SIZE: {
        int width = LOWORD(lParam);
        int height = HIWORD(lParam);
        if (lastClientWidth_ >= 0 && (width != lastClientWidth_ || height != lastClientHeight_)) {
            for (TControl* child : children_) {
                child->ParentResized(lastClientWidth_, lastClientHeight_, width, height);
            }
        }
        lastClientWidth_ = width;
        lastClientHeight_ = height;
        Realign();
        break;
    }
    default:
        break;
    }
    return TControl::HandleMessage(message, wParam, lParam, result);
}

void TWinControl::HandleCreated()
{
    lastClientWidth_ = ClientWidth();
    lastClientHeight_ = ClientHeight();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* child : children_) {
        child->ParentFontChanged(Font());
    }
}

}  // namespace ostrel
