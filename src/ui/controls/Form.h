#pragma once

#include "ui/controls/Control.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

enum TModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// Shift state of a key press.
enum TShiftState { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

// A top-level window that owns its controls by name and runs modally on
// the calling thread, with tab order, a default (Enter) and a cancel (Esc)
// button and hints as tooltips.
class TForm : public TWinControl {
public:
    // `ownerWindow` is disabled while the form is up; without one, all
    // windows of the calling thread are, as a modal dialog does.
    TForm(HWND ownerWindow, std::string name);
    ~TForm() override;

    const char* ClassName() const override { return "TForm"; }
    Component* FindComponent(std::string_view name) override;
    const PropertyTable& Properties() const override;

    template <typename Control, typename... Args>
    Control& Add(TWinControl& parent, std::string name, Args&&... args)
    {
        auto control = std::make_unique<Control>(*this, &parent, std::move(name), std::forward<Args>(args)...);
        Control& added = *control;
        components_.push_back(std::move(control));
        return added;
    }

    int ShowModal();
    int ModalResult() const { return modalResult_; }
    // Also from a message sent by another thread: the loop is woken up.
    void SetModalResult(int result);
    void Close() { SetModalResult(mrCancel); }

    void SetClientSize(int width, int height);
    void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);
    bool FormShowHint() const { return showHint_; }
    void SetFormShowHint(bool show);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }

    // `button` takes the role, or gives it up when it has it.
    void SetDefaultButton(TControl& button, bool isDefault) { SetRole(defaultButton_, button, isDefault); }
    void SetCancelButton(TControl& button, bool isCancel) { SetRole(cancelButton_, button, isCancel); }

    std::function<void(TForm&)> OnShow;
    std::function<void(TForm&)> OnClose;
    std::function<void(TForm&, WORD key, int shift)> OnKeyDown;

    // For the controls.
    int NextControlId() { return nextControlId_++; }
    void KeepError(std::exception_ptr error);
    void HintChanged(TControl& control);
    // The control's window goes; its tooltip goes first.
    void HintGone(TControl& control);

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Center();
    void PreviewKey(const MSG& message);
    void MoveFocus(WPARAM wParam, LPARAM lParam);
    void ClickIfEnabled(TControl* button);
    void RethrowKeptError();
    static void SetRole(TControl*& holder, TControl& button, bool takes)
    {
        if (takes) {
            holder = &button;
        } else if (holder == &button) {
            holder = nullptr;
        }
    }

    HWND ownerWindow_;
    std::vector<std::unique_ptr<TControl>> components_;
    int modalResult_ = mrNone;
    int borderStyle_ = bsSingle;
    bool showHint_ = false;
    bool keyPreview_ = false;
    TControl* defaultButton_ = nullptr;
    TControl* cancelButton_ = nullptr;
    int nextControlId_ = 100;
    std::exception_ptr keptError_;
    UniqueWindow tooltip_;
    HWND focusedControl_ = nullptr;  // given back when the form is active again
};

}  // namespace ostrel
