#pragma once

#include <string>

// The link label's decisions, apart from its window.
namespace ostrel::kx {

enum TUrlKind { urlWeb, urlMail };

// What the label opens: the URL, or the caption when there is none, with
// "mailto:" in front for a mail link.
std::string UrlTarget(TUrlKind kind, const std::string& url, const std::string& caption);

// Whether a release at x, y (label coordinates) is on the label; the right
// and bottom edges count as on it.
bool ReleasedOnLabel(int x, int y, int width, int height);

}  // namespace ostrel::kx
