#pragma once

#include "base/UniqueResource.h"
#include "lang/Persistent.h"

#include <cstdint>
#include <functional>
#include <string>

namespace ostrel {

// A colour as language files write it: red in the low byte; with the high
// byte 0xFF, the low byte is a system-colour index.
using TColor = int32_t;

constexpr TColor clBlack = 0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clBtnText = static_cast<TColor>(0xFF000012);
constexpr TColor clDefault = 0x20000000;
constexpr TColor clNone = 0x1FFFFFFF;

COLORREF ColorToRGB(TColor color);

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font description and the GDI font made from it; OnChange tells the
// control that shows it.
class TFont : public Persistent {
public:
    const PropertyTable& Properties() const override;

    std::string Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    // In points, at 96 pixels per inch.
    int Size() const;
    void SetSize(int size);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    int Style() const { return style_; }
    void SetStyle(int style);

    void Assign(const TFont& source);
    HFONT Handle();

    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    int charset_ = DEFAULT_CHARSET;
    int style_ = 0;
    UniqueFont handle_;
};

}  // namespace ostrel
