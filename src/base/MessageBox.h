#pragma once

#include <string>

namespace ostrel {

// Modal boxes with no owner window, on the calling thread.
void ShowErrorBox(const std::string& text, const std::string& caption);
void ShowInfoBox(const std::string& text, const std::string& caption);

}  // namespace ostrel
