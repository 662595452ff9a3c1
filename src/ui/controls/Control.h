#pragma once

#include "lang/Persistent.h"
#include "ui/controls/Graphics.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

class TForm;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A control: a child window of its parent control, owned by its form,
// which finds it by name. Every property takes effect on the live window.
class TControl : public Component {
public:
    TControl(TForm& owner, TWinControl* parent, std::string name);
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const char* ClassName() const override { return "TControl"; }
    std::string Name() const override { return name_; }
    Component* FindComponent(std::string_view) override { return nullptr; }
    const PropertyTable& Properties() const override;

    HWND Handle() const { return window_.get(); }
    TForm& Owner() const { return owner_; }
    TWinControl* Parent() const { return parent_; }
    static TControl* FromHandle(HWND window);

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    int Left() const { return left_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    int Top() const { return top_; }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    int Width() const { return width_; }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    int Height() const { return height_; }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int tabOrder);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    TFont& Font() { return font_; }
    Persistent* FontObject() { return &font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    int Align() const { return align_; }
    void SetAlign(int align);
    int Anchors() const { return anchors_; }
    void SetAnchors(int anchors);

    // The control takes part in tab order (buttons, edits, check boxes).
    virtual bool CanFocus() const { return false; }
    void SetFocus();

    std::function<void(TControl&)> OnClick;

    // Called by the parent for notifications about this control.
    virtual void Command(WORD notification);
    virtual HBRUSH ControlColor(HDC dc);
    virtual void DrawItem(const DRAWITEMSTRUCT&) {}
    virtual void Click();
    // The parent's font changed; a control that follows it takes it over.
    void ParentFontChanged(const TFont& font);
    // The parent's client area changed size; anchors and alignment follow.
    void ParentResized(int oldWidth, int oldHeight, int newWidth, int newHeight);

protected:
    // Makes the window; each kind of control calls it once from its constructor.
    void CreateHandle(const char* windowClass, DWORD style, DWORD exStyle = 0);
    // Makes the window anew with other styles (some take effect only at
    // creation); text, geometry, state, font and hint carry over.
    void RecreateHandle(DWORD removeStyle, DWORD addStyle);
    // Messages for this control; return true when handled, with `result`.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ChangeStyle(DWORD remove, DWORD add);
    virtual void FontChanged();
    // The window exists and is subclassed.
    virtual void HandleCreated() {}
    // Destroys the window, which from then on no longer reaches this object.
    void DestroyHandle();
    // The caption changed.
    virtual void TextChanged() {}
    int Id() const { return id_; }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    void MakeWindow();
    void Untie(HWND window);
    bool SetCursorShape();

    TForm& owner_;
    TWinControl* parent_;
    const std::string name_;  // its characters stay where the window property points
    int id_ = 0;
    UniqueWindow window_;
    const char* windowClass_ = nullptr;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    std::string hint_;
    bool showHint_ = false;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    UniqueBrush brush_;
    int cursor_ = 0;
    int tabOrder_ = -1;
    int tag_ = 0;
    TFont font_;
    bool parentFont_ = true;
    bool applyingParentFont_ = false;
    int align_ = alNone;
    int anchors_ = akLeft | akTop;
};

// A control that holds other controls (a form, a panel).
class TWinControl : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TWinControl"; }

    void AddChild(TControl& child);
    void RemoveChild(TControl& child);
    const std::vector<TControl*>& Children() const { return children_; }
    // Puts the children's windows in tab order, for dialog navigation.
    void ApplyTabOrder();
    int ClientWidth() const;
    int ClientHeight() const;
    // Space kept free inside the edge for aligned children.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    // Lays out aligned children in the client area.
    void Realign();
    const PropertyTable& Properties() const override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void FontChanged() override;
    void HandleCreated() override;

private:
    std::vector<TControl*> children_;
    int borderWidth_ = 0;
    int lastClientWidth_ = -1;
    int lastClientHeight_ = -1;
};

// HINSTANCE of the module this code is linked into.
HINSTANCE ModuleInstance();

// The component name of a control window of this process, the name the
// language files use, so tests find a control as a translator would; empty
// for other windows. Only a pointer is stored with the window, for readers
// in this process: another process can neither read the name nor have it
// written anywhere.
std::string ComponentNameOf(HWND window);

// Registers once, for this module, the class of forms and panels.
const char* ContainerWindowClass();

}  // namespace ostrel
