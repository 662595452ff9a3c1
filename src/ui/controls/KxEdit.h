#pragma once

#include "lang/MessageTexts.h"
#include "ui/controls/Control.h"
#include "ui/controls/KxEditRules.h"

namespace ostrel {

// A single-line edit that moves the focus on Up, Down and Enter as its exit
// options say, filters typed characters and can complete dates.
class TKxEdit : public TControl {
public:
    // `texts` caption the box about an impossible date.
    TKxEdit(TForm& owner, TWinControl* parent, std::string name, const TMessageTexts& texts);
    const char* ClassName() const override { return "TKxEdit"; }
    const PropertyTable& Properties() const override;
    bool CanFocus() const override { return true; }

    bool NoBeepOnReturn() const { return rules_.NoBeepOnReturn(); }
    void SetNoBeepOnReturn(bool value) { rules_.SetNoBeepOnReturn(value); }
    int ExitOptions() const { return rules_.ExitOptions(); }
    void SetExitOptions(int value) { rules_.SetExitOptions(value); }
    int AllowedChars() const { return rules_.AllowedChars(); }
    void SetAllowedChars(int value) { rules_.SetAllowedChars(static_cast<kx::TAllowedChars>(value)); }
    int EditFormat() const { return rules_.EditFormat(); }
    void SetEditFormat(int value) { rules_.SetEditFormat(static_cast<kx::TEditFormat>(value)); }
    int Alignment() const { return rules_.Alignment(); }
    void SetAlignment(int value);

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CompleteDate();

    kx::KxEditProperties rules_;
    const TMessageTexts& texts_;
};

}  // namespace ostrel
