#pragma once

#include <string>

namespace ostrel {

// Modal boxes with no owner window, on the calling thread.
void ShowErrorBox(const std::string& text, const std::string& caption);
void ShowInfoBox(const std::string& text, const std::string& caption);
// A plain OK box with the plug-in's title.
void ShowMessage(const std::string& text);

constexpr const char* ApplicationTitle = "Ostrel";

}  // namespace ostrel
