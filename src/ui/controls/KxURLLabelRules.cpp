#include "ui/controls/KxURLLabelRules.h"

namespace ostrel::kx {

std::string UrlTarget(TUrlKind kind, const std::string& url, const std::string& caption)
{
    return (kind == urlMail ? "mailto:" : "") + (url.empty() ? caption : url);
}

bool ReleasedOnLabel(int x, int y, int width, int height)
{
    return x >= 0 && y >= 0 && x <= width && y <= height;
}

}  // namespace ostrel::kx
