#pragma once

#include "ui/controls/Control.h"

#include <string>
#include <vector>

namespace ostrel {

class TPanel : public TWinControl {
public:
    TPanel(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TPanel"; }
};

// Static text; with a vertical layout, centred in its height.
class TLabel : public TControl {
public:
    TLabel(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TLabel"; }
    const PropertyTable& Properties() const override;

    int Alignment() const { return alignment_; }
    void SetAlignment(int alignment);
    // tlTop, tlCenter or tlBottom; the text is centred or at the top.
    int Layout() const { return centerVertically_ ? 1 : 0; }
    void SetLayout(int layout);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    void AdjustSize();

protected:
    void FontChanged() override;
    void TextChanged() override { AdjustSize(); }

private:
    void ApplyStyle();

    int alignment_ = taLeftJustify;
    bool centerVertically_ = false;
    bool autoSize_ = false;
};

// A push button; Default answers Enter, Cancel answers Esc, and a modal
// result closes the form with it.
class TButton : public TControl {
public:
    TButton(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TButton"; }
    const PropertyTable& Properties() const override;
    bool CanFocus() const override { return true; }
    void Click() override;

    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

// A button that draws a glyph beside its caption. The glyph's bottom-left
// pixel names its transparent colour; BM_GETIMAGE hands it out, as it
// does for a button with a bitmap of the system's.
class TBitBtn : public TButton {
public:
    TBitBtn(TForm& owner, TWinControl* parent, std::string name, const char* glyph = nullptr);
    const char* ClassName() const override { return "TBitBtn"; }
    void DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    UniqueBitmap glyph_;
};

// A flat button that takes no focus, with an optional glyph, handed out
// as TBitBtn's is.
class TSpeedButton : public TControl {
public:
    TSpeedButton(TForm& owner, TWinControl* parent, std::string name, const char* glyph = nullptr);
    const char* ClassName() const override { return "TSpeedButton"; }
    void DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    UniqueBitmap glyph_;
    bool hot_ = false;
};

class TCheckBox : public TControl {
public:
    TCheckBox(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TCheckBox"; }
    const PropertyTable& Properties() const override;
    bool CanFocus() const override { return true; }

    bool Checked() const;
    void SetChecked(bool checked);
    int Alignment() const { return alignment_; }
    void SetAlignment(int alignment);

private:
    int alignment_ = taRightJustify;
};

// An etched frame. Its window is only the frame, so the controls inside it
// and the parent's background show through.
class TBevel : public TControl {
public:
    TBevel(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TBevel"; }
    void SetBounds(int left, int top, int width, int height) override;
};

// A multi-line, read-only text.
class TMemo : public TControl {
public:
    TMemo(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TMemo"; }
    const PropertyTable& Properties() const override;
    bool CanFocus() const override { return true; }

    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
};

// Draws a glyph with its transparent colour left out.
void DrawGlyph(HDC dc, HBITMAP glyph, int left, int top, bool enabled);
HBITMAP LoadGlyph(const char* name);

}  // namespace ostrel
