#pragma once

#include "ui/controls/Control.h"
#include "ui/controls/SpinEditRules.h"

#include <memory>

namespace ostrel {

class TSpinEdit;

// One of the spin edit's two buttons; held down, it repeats its step.
class TSpinButton : public TControl {
public:
    TSpinButton(TForm& owner, TWinControl* parent, std::string name, TSpinEdit& edit, bool up);
    const char* ClassName() const override { return "TSpinButton"; }
    void DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    TSpinEdit& edit_;
    bool up_;
};

// An integer edit with an up/down button pair at its right edge.
class TSpinEdit : public TWinControl {
public:
    TSpinEdit(TForm& owner, TWinControl* parent, std::string name);
    const char* ClassName() const override { return "TSpinEdit"; }
    const PropertyTable& Properties() const override;
    bool CanFocus() const override { return true; }
    void SetBounds(int left, int top, int width, int height) override;

    int MinValue() const { return rules_.minValue; }
    void SetMinValue(int value) { rules_.minValue = value; }
    int MaxValue() const { return rules_.maxValue; }
    void SetMaxValue(int value) { rules_.maxValue = value; }
    void SetRange(int minimum, int maximum);
    int Increment() const { return rules_.increment; }
    void SetIncrement(int value) { rules_.increment = value; }
    bool EditorEnabled() const { return rules_.editorEnabled; }
    void SetEditorEnabled(bool value) { rules_.editorEnabled = value; }
    int Value() const;
    void SetValue(int value);

    // A step from a button or an arrow key.
    void ButtonStep(bool up);

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool Perform(SpinAction action);
    void PlaceButtons();

    SpinEditRules rules_;
    std::unique_ptr<TSpinButton> upButton_;
    std::unique_ptr<TSpinButton> downButton_;
};

}  // namespace ostrel
