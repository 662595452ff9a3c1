#pragma once

#include "ui/controls/KxURLLabelRules.h"
#include "ui/controls/StdControls.h"

#include <functional>
#include <string>

namespace ostrel {

using kx::TUrlKind;
using kx::urlMail;
using kx::urlWeb;

// A label that acts as a link: it follows the mouse in colour and opens
// its target with the shell when a press on it is released on it.
class TKxURLLabel : public TLabel {
public:
    // Receives the window of the form, the verb, the target and the show
    // command; ShellExecuteA unless replaced.
    using ShellOpener =
        std::function<void(HWND window, const std::string& verb, const std::string& target, int show)>;

    TKxURLLabel(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TKxURLLabel"; }
    const PropertyTable& Properties() const override;

    TColor ColorNormal() const { return colorNormal_; }
    void SetColorNormal(TColor color) { colorNormal_ = color; }
    TColor ColorMoveOver() const { return colorMoveOver_; }
    void SetColorMoveOver(TColor color) { colorMoveOver_ = color; }
    TColor ColorClick() const { return colorClick_; }
    void SetColorClick(TColor color) { colorClick_ = color; }
    std::string URL() const { return url_; }
    void SetURL(const std::string& url) { url_ = url; }
    int UrlKind() const { return urlKind_; }
    void SetUrlKind(int kind) { urlKind_ = static_cast<TUrlKind>(kind); }
    bool Pressed() const { return pressed_; }

    ShellOpener Opener;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void MouseDown();
    void MouseUp(int x, int y);
    void MouseMove(int x, int y);
    void MouseEnter();
    void MouseLeave();
    void SetFontColor(TColor color);
    void TrackLeave();

    TColor colorNormal_ = clBlue;
    TColor colorMoveOver_ = clBlue;
    TColor colorClick_ = clRed;
    std::string url_;
    TUrlKind urlKind_ = urlWeb;
    bool pressed_ = false;
    bool mouseOver_ = false;
};

}  // namespace ostrel
