#include "lang/MultiLanguage.h"
#include "support/DialogWindows.h"
#include "support/FormDriver.h"
#include "ui/controls/Form.h"
#include "ui/controls/StdControls.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace ostrel::test {
namespace {

// A small dialog: panels, a default and a cancel button, an edit-like memo.
struct SampleForm {
    SampleForm() : form(nullptr, "frmSample")
    {
        form.SetClientSize(300, 200);
        form.SetCaption("Sample");
        bottom.SetAlign(alBottom);
        bottom.SetHeight(40);
        rest.SetAlign(alClient);
        ok.SetBounds(210, 8, 80, 25);
        ok.SetAnchors(akRight | akBottom);
        ok.SetCaption("OK");
        ok.SetDefault(true);
        ok.SetModalResult(mrOk);
        cancel.SetBounds(120, 8, 80, 25);
        cancel.SetCaption("Cancel");
        cancel.SetCancel(true);
        cancel.SetModalResult(mrCancel);
        check.SetBounds(10, 10, 100, 17);
        check.SetCaption("Check");
        label.SetBounds(10, 40, 100, 13);
        label.SetCaption("Label");
    }

    TForm form;
    TPanel& bottom = form.Add<TPanel>(form, "pnlBottom");
    TPanel& rest = form.Add<TPanel>(form, "pnlControls");
    TBitBtn& cancel = form.Add<TBitBtn>(bottom, "btnCancel");
    TBitBtn& ok = form.Add<TBitBtn>(bottom, "btnOk");
    TCheckBox& check = form.Add<TCheckBox>(rest, "cbxCheck");
    TLabel& label = form.Add<TLabel>(rest, "lblLabel");
};

// Counts the messages a window being destroyed gets while it still leads
// into its control object, whose members may already be gone. A control
// takes its name off the window where it removes its subclass. (A tooltip's
// subclass may stay chained until the window goes: Wine removes it only then.)
class LateMessages {
public:
    LateMessages() : hook_(SetWindowsHookExA(WH_CALLWNDPROC, &LateMessages::Hook, nullptr, GetCurrentThreadId()))
    {
        count = 0;
    }
    ~LateMessages() { UnhookWindowsHookEx(hook_); }
    LateMessages(const LateMessages&) = delete;
    LateMessages& operator=(const LateMessages&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    int Count() const { return count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && (call->message == WM_DESTROY || call->message == WM_NCDESTROY) &&
            TControl::FromHandle(call->hwnd) != nullptr) {
            ++count;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int count = 0;
    HHOOK hook_;
};

TEST(Form, DestroyedControlsGetNoMoreMessages)
{
    auto sample = std::make_unique<SampleForm>();
    HWND okWindow = sample->ok.Handle();
    LateMessages late;
    ASSERT_TRUE(late.Hooked());
    sample.reset();
    EXPECT_FALSE(IsWindow(okWindow));
    EXPECT_EQ(late.Count(), 0);
}

// Each control is subclassed twice, by itself and by the tooltip showing
// its hint. Either the controls go first (the form object's own order), or
// the form's window does, as when its owner window is destroyed; the
// controls then let go of their windows as these go.
TEST(Form, ControlsWithHintsLetGoOfTheirWindowsInEitherOrder)
{
    for (bool formWindowFirst : {false, true}) {
        SCOPED_TRACE(formWindowFirst ? "form window first" : "controls first");
        auto sample = std::make_unique<SampleForm>();
        sample->form.SetFormShowHint(true);
        std::vector<HWND> windows = {sample->form.Handle()};
        for (TControl* control : std::initializer_list<TControl*>{&sample->ok, &sample->cancel, &sample->check,
                                                                   &sample->label, &sample->bottom}) {
            control->SetHint("Hint of " + control->Name());
            windows.push_back(control->Handle());
        }
        if (formWindowFirst) {
            DestroyWindow(sample->form.Handle());
            EXPECT_EQ(sample->form.Handle(), nullptr);
            EXPECT_EQ(sample->ok.Handle(), nullptr);
            EXPECT_EQ(sample->label.Handle(), nullptr);
        }
        LateMessages late;
        ASSERT_TRUE(late.Hooked());
        sample.reset();
        EXPECT_EQ(late.Count(), 0);
        for (HWND window : windows) {
            EXPECT_FALSE(IsWindow(window));
        }
    }
}

TEST(Form, EnterClicksTheFocusedButtonElseTheDefaultOneAndEscTheCancelButton)
{
    SampleForm sample;
    {
        FormDriver driver(sample.form.Handle(), [&] {
            FocusControl(sample.form.Handle(), sample.check.Handle());
            PressKey(sample.check.Handle(), VK_RETURN);
        });
        EXPECT_EQ(sample.form.ShowModal(), mrOk);
    }
    {
        FormDriver driver(sample.form.Handle(), [&] {
            FocusControl(sample.form.Handle(), sample.cancel.Handle());
            PressKey(sample.cancel.Handle(), VK_RETURN);
        });
        EXPECT_EQ(sample.form.ShowModal(), mrCancel);
    }
    // A language file's "Default=False" on another button leaves the role where it is.
    sample.cancel.SetDefault(false);
    {
        FormDriver driver(sample.form.Handle(), [&] {
            FocusControl(sample.form.Handle(), sample.check.Handle());
            PressKey(sample.check.Handle(), VK_RETURN);
        });
        EXPECT_EQ(sample.form.ShowModal(), mrOk);
    }
    {
        FormDriver driver(sample.form.Handle(), [&] { PressKey(sample.check.Handle(), VK_ESCAPE); });
        EXPECT_EQ(sample.form.ShowModal(), mrCancel);
    }
    {
        FormDriver driver(sample.form.Handle(), [&] { PostMessageA(sample.form.Handle(), WM_CLOSE, 0, 0); });
        EXPECT_EQ(sample.form.ShowModal(), mrCancel);
    }
}

TEST(Form, DisabledFormIsShownEnabledAndTheOwnerIsActiveAfterIt)
{
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                       nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(owner.get());
    TForm form(owner.get(), "frmOwned");
    form.SetClientSize(100, 80);
    form.SetEnabled(false);  // as a language file's "Enabled=False" would
    bool enabledWhileShown = false;
    {
        FormDriver driver(form.Handle(), [&] {
            enabledWhileShown = IsWindowEnabled(form.Handle()) != FALSE;
            PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    EXPECT_TRUE(enabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    EXPECT_EQ(GetActiveWindow(), owner.get());
}

TEST(Form, LayoutFollowsAlignAnchorsAndClientSize)
{
    SampleForm sample;
    EXPECT_EQ(sample.form.ClientWidth(), 300);
    EXPECT_EQ(sample.bottom.Top(), 160);
    EXPECT_EQ(sample.rest.Height(), 160);
    sample.form.SetClientSize(400, 260);
    EXPECT_EQ(sample.bottom.Top(), 220);
    EXPECT_EQ(sample.bottom.Width(), 400);
    EXPECT_EQ(sample.ok.Left(), 310);
}

TEST(Form, LanguageEntriesReachTheLiveWindows)
{
    SampleForm sample;
    TMultiLanguage translator(&sample.form);
    translator.SetScript({"[de]", "Caption=Beispiel", "btnOk.Caption=Gut", "btnOk.Font.Name=Arial",
                          "Font.Style=[fsBold]", "cbxCheck.Checked=True", "Color=clRed", "ClientWidth=500",
                          "BorderStyle=bsDialog", "lblLabel.Hint=Tipp", "ShowHint=True"});
    translator.SetLanguage("de");
    char caption[64] = {};
    GetWindowTextA(sample.form.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Beispiel");
    EXPECT_EQ(sample.ok.Caption(), "Gut");
    EXPECT_EQ(sample.ok.Font().Name(), "Arial");
    EXPECT_EQ(sample.label.Font().Style(), fsBold);
    EXPECT_TRUE(sample.check.Checked());
    EXPECT_EQ(sample.form.Color(), clRed);
    EXPECT_EQ(sample.form.ClientWidth(), 500);
    EXPECT_EQ(sample.form.BorderStyle(), bsDialog);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(sample.ok.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Arial");
}

}  // namespace
}  // namespace ostrel::test
