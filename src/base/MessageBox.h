#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace ostrel {

// Modal boxes with no owner window, on the calling thread.
void ShowErrorBox(const std::string& text, const std::string& caption);
// A plain OK box with the plug-in's title.
void ShowMessage(const std::string& text);

constexpr const char* ApplicationTitle = "Ostrel";

// Texts from settings or language files may be any length; a box shows at
// most this much of its text and caption.
constexpr std::size_t MaxBoxText = 4096;

// MessageBoxA with text and caption cut to MaxBoxText.
int ShowBoundedBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace ostrel
