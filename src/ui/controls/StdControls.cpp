#include "ui/controls/StdControls.h"

#include "base/TextLines.h"
#include "ui/controls/Form.h"

namespace ostrel {

namespace {

const std::vector<std::string> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

constexpr int GlyphSpacing = 4;

SIZE GlyphSize(HBITMAP glyph)
{
    BITMAP info = {};
    if (glyph != nullptr) {
        GetObjectA(glyph, sizeof info, &info);
    }
    return {info.bmWidth, info.bmHeight};
}

// Caption and glyph side by side, centred in the button.
void DrawGlyphAndCaption(const DRAWITEMSTRUCT& item, HBITMAP glyph, const std::string& caption)
{
    HDC dc = item.hDC;
    const bool enabled = !(item.itemState & ODS_DISABLED);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    SIZE glyphSize = GlyphSize(glyph);
    RECT textRect = {0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), -1, &textRect, DT_CALCRECT | DT_SINGLELINE);
    const int gap = glyph != nullptr && !caption.empty() ? GlyphSpacing : 0;
    const int total = glyphSize.cx + gap + textRect.right;
    int left = item.rcItem.left + (item.rcItem.right - item.rcItem.left - total) / 2 + (pressed ? 1 : 0);
    const int middle = (item.rcItem.top + item.rcItem.bottom) / 2 + (pressed ? 1 : 0);
    if (glyph != nullptr) {
        DrawGlyph(dc, glyph, left, middle - glyphSize.cy / 2, enabled);
        left += glyphSize.cx + gap;
    }
    RECT text = {left, item.rcItem.top, left + textRect.right, item.rcItem.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

}  // namespace

HBITMAP LoadGlyph(const char* name)
{
    if (name == nullptr) {
        return nullptr;
    }
    return static_cast<HBITMAP>(LoadImageA(ModuleInstance(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void DrawGlyph(HDC dc, HBITMAP glyph, int left, int top, bool enabled)
{
    SIZE size = GlyphSize(glyph);
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectedObject selected(source.get(), glyph);
    const COLORREF transparent = GetPixel(source.get(), 0, size.cy - 1);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            COLORREF pixel = GetPixel(source.get(), x, y);
            if (pixel == transparent) {
                continue;
            }
            if (!enabled) {
                const int grey = (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) / 3 / 2 + 96;
                pixel = RGB(grey, grey, grey);
            }
            SetPixel(dc, left + x, top + y, pixel);
        }
    }
}

TPanel::TPanel(TForm& owner, TWinControl* parent, std::string name) : TWinControl(owner, parent, std::move(name))
{
    CreateHandle(ContainerWindowClass(), WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

TLabel::TLabel(TForm& owner, TWinControl* parent, std::string name) : TControl(owner, parent, std::move(name))
{
    CreateHandle("STATIC", WS_VISIBLE | SS_NOTIFY | SS_LEFT);
}

const PropertyTable& TLabel::Properties() const
{
    static const PropertyTable table(
        TControl::Properties(),
        {
            OrdinalProperty("Alignment", PropertyKind::Enumeration, 0, 2, &TLabel::Alignment, &TLabel::SetAlignment,
                            AlignmentNames),
            OrdinalProperty("Layout", PropertyKind::Enumeration, 0, 2, &TLabel::Layout, &TLabel::SetLayout,
                            {"tlTop", "tlCenter", "tlBottom"}),
            BooleanProperty("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
        });
    return table;
}

void TLabel::SetAlignment(int alignment)
{
    alignment_ = alignment;
    ApplyStyle();
}

void TLabel::SetLayout(int layout)
{
    centerVertically_ = layout == 1;
    ApplyStyle();
}

void TLabel::ApplyStyle()
{
    DWORD style = alignment_ == taCenter ? SS_CENTER : alignment_ == taRightJustify ? SS_RIGHT : SS_LEFT;
    ChangeStyle(SS_TYPEMASK | SS_CENTERIMAGE, style | (centerVertically_ ? SS_CENTERIMAGE : 0));
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    AdjustSize();
}

// An auto-sized label grows or shrinks to its text.
void TLabel::AdjustSize()
{
    if (!autoSize_) {
        return;
    }
    RECT bounds = {0, 0, 0, 0};
    {
        WindowDc dc(Handle());
        SelectedObject font(dc.get(), Font().Handle());
        std::string text = Caption();
        DrawTextA(dc.get(), text.empty() ? " " : text.c_str(), -1, &bounds, DT_CALCRECT);
    }
    SetBounds(Left(), Top(), bounds.right, bounds.bottom);
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    AdjustSize();
}

TButton::TButton(TForm& owner, TWinControl* parent, std::string name) : TControl(owner, parent, std::move(name))
{
    CreateHandle("BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
}

const PropertyTable& TButton::Properties() const
{
    static const PropertyTable table(
        TControl::Properties(),
        {
            BooleanProperty("Default", &TButton::Default, &TButton::SetDefault),
            BooleanProperty("Cancel", &TButton::Cancel, &TButton::SetCancel),
            OrdinalProperty("ModalResult", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TButton::ModalResult,
                            &TButton::SetModalResult),
        });
    return table;
}

void TButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    Owner().SetDefaultButton(*this, isDefault);
    if ((GetWindowLongPtrA(Handle(), GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW) {
        SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void TButton::SetCancel(bool cancel)
{
    cancel_ = cancel;
    Owner().SetCancelButton(*this, cancel);
}

// Enter clicks the focused button; elsewhere it clicks the default one.
bool TButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_GETDLGCODE) {
        result = DLGC_BUTTON | (GetFocus() == Handle() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return true;
    }
    return TControl::HandleMessage(message, wParam, lParam, result);
}

void TButton::Click()
{
    TControl::Click();
    if (modalResult_ != mrNone) {
        Owner().SetModalResult(modalResult_);
    }
}

TBitBtn::TBitBtn(TForm& owner, TWinControl* parent, std::string name, const char* glyph)
    : TButton(owner, parent, std::move(name)), glyph_(LoadGlyph(glyph))
{
    ChangeStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

namespace {

bool AnswerGlyph(UINT message, const UniqueBitmap& glyph, LRESULT& result)
{
    if (message != BM_GETIMAGE) {
        return false;
    }
    result = reinterpret_cast<LRESULT>(glyph.get());
    return true;
}

}  // namespace

bool TBitBtn::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return AnswerGlyph(message, glyph_, result) || TButton::HandleMessage(message, wParam, lParam, result);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item)
{
    RECT frame = item.rcItem;
    UINT state = DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0);
    if (Default()) {
        FrameRect(item.hDC, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&frame, -1, -1);
    }
    DrawFrameControl(item.hDC, &frame, DFC_BUTTON, state);
    DrawGlyphAndCaption(item, glyph_.get(), Caption());
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&frame, -3, -3);
        DrawFocusRect(item.hDC, &frame);
    }
}

TSpeedButton::TSpeedButton(TForm& owner, TWinControl* parent, std::string name, const char* glyph)
    : TControl(owner, parent, std::move(name)), glyph_(LoadGlyph(glyph))
{
    CreateHandle("BUTTON", WS_VISIBLE | BS_OWNERDRAW);
}

bool TSpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (AnswerGlyph(message, glyph_, result)) {
        return true;
    }
    switch (message) {
    case WM_SETFOCUS:
        // A speed button takes no focus: hand it back.
        if (wParam != 0) {
            ::SetFocus(reinterpret_cast<HWND>(wParam));
        }
        result = 0;
        return true;
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    default:
        break;
    }
    return TControl::HandleMessage(message, wParam, lParam, result);
}

void TSpeedButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    RECT frame = item.rcItem;
    FillRect(item.hDC, &frame, GetSysColorBrush(COLOR_BTNFACE));
    if (item.itemState & ODS_SELECTED) {
        DrawEdge(item.hDC, &frame, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot_) {
        DrawEdge(item.hDC, &frame, BDR_RAISEDINNER, BF_RECT);
    }
    DrawGlyphAndCaption(item, glyph_.get(), Caption());
}

TCheckBox::TCheckBox(TForm& owner, TWinControl* parent, std::string name) : TControl(owner, parent, std::move(name))
{
    CreateHandle("BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
}

const PropertyTable& TCheckBox::Properties() const
{
    static const PropertyTable table(
        TControl::Properties(),
        {
            BooleanProperty("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
            OrdinalProperty("Alignment", PropertyKind::Enumeration, 0, 1, &TCheckBox::Alignment,
                            &TCheckBox::SetAlignment, {"taLeftJustify", "taRightJustify"}),
        });
    return table;
}

bool TCheckBox::Checked() const
{
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetAlignment(int alignment)
{
    alignment_ = alignment;
    ChangeStyle(BS_LEFTTEXT, alignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

TBevel::TBevel(TForm& owner, TWinControl* parent, std::string name) : TControl(owner, parent, std::move(name))
{
    CreateHandle("STATIC", WS_VISIBLE | SS_ETCHEDFRAME);
}

void TBevel::SetBounds(int left, int top, int width, int height)
{
    constexpr int FrameWidth = 2;
    TControl::SetBounds(left, top, width, height);
    UniqueRegion frame(CreateRectRgn(0, 0, width, height));
    UniqueRegion inside(CreateRectRgn(FrameWidth, FrameWidth, width - FrameWidth, height - FrameWidth));
    CombineRgn(frame.get(), frame.get(), inside.get(), RGN_DIFF);
    // A region the window takes is the window's from then on.
    if (SetWindowRgn(Handle(), frame.get(), TRUE)) {
        frame.release();
    }
}

TMemo::TMemo(TForm& owner, TWinControl* parent, std::string name) : TControl(owner, parent, std::move(name))
{
    SetColor(clWindow);
    CreateHandle("EDIT", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                 WS_EX_CLIENTEDGE);
}

const PropertyTable& TMemo::Properties() const
{
    static const PropertyTable table(TControl::Properties(),
                                     {LinesProperty("Lines", &TMemo::Lines, &TMemo::SetLines)});
    return table;
}

std::vector<std::string> TMemo::Lines() const
{
    return SplitFileLines(Caption());
}

void TMemo::SetLines(const std::vector<std::string>& lines)
{
    std::string text = JoinFileLines(lines);
    if (text.size() >= 2) {
        text.resize(text.size() - 2);  // no empty line after the last
    }
    SetCaption(text);
}

}  // namespace ostrel
