#include "ui/controls/Graphics.h"

namespace ostrel {

namespace {

constexpr int PixelsPerInch = 96;

}  // namespace

COLORREF ColorToRGB(TColor color)
{
    const uint32_t bits = static_cast<uint32_t>(color);
    if ((bits & 0xFF000000u) == 0xFF000000u) {
        return GetSysColor(static_cast<int>(bits & 0xFF));
    }
    return bits & 0x00FFFFFFu;
}

const PropertyTable& TFont::Properties() const
{
    static const PropertyTable table = {
        TextProperty("Name", &TFont::Name, &TFont::SetName),
        OrdinalProperty("Size", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TFont::Size, &TFont::SetSize),
        OrdinalProperty("Height", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TFont::Height,
                        &TFont::SetHeight),
        OrdinalProperty("Color", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TFont::Color, &TFont::SetColor),
        OrdinalProperty("Charset", PropertyKind::Integer, 0, 255, &TFont::Charset, &TFont::SetCharset),
        OrdinalProperty("Style", PropertyKind::Set, 0, 15, &TFont::Style, &TFont::SetStyle,
                        {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}),
    };
    return table;
}

void TFont::SetName(const std::string& name)
{
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    height_ = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, PixelsPerInch);
}

void TFont::SetSize(int size)
{
    SetHeight(-MulDiv(size, PixelsPerInch, 72));
}

void TFont::SetColor(TColor color)
{
    color_ = color;
    Changed();
}

void TFont::SetCharset(int charset)
{
    charset_ = charset;
    Changed();
}

void TFont::SetStyle(int style)
{
    style_ = style;
    Changed();
}

void TFont::Assign(const TFont& source)
{
    name_ = source.name_;
    height_ = source.height_;
    color_ = source.color_;
    charset_ = source.charset_;
    style_ = source.style_;
    Changed();
}

HFONT TFont::Handle()
{
    if (!handle_) {
        handle_.reset(CreateFontA(height_, 0, 0, 0, (style_ & fsBold) ? FW_BOLD : FW_NORMAL,
                                  (style_ & fsItalic) != 0, (style_ & fsUnderline) != 0,
                                  (style_ & fsStrikeOut) != 0, static_cast<BYTE>(charset_),
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, name_.c_str()));
    }
    return handle_.get();
}

void TFont::Changed()
{
    // The old GDI font stays alive until the controls have the new one.
    UniqueFont old = std::move(handle_);
    if (OnChange) {
        OnChange();
    }
}

}  // namespace ostrel
