#include "lang/MultiLanguage.h"
#include "support/DialogWindows.h"
#include "support/FormDriver.h"
#include "ui/controls/Form.h"
#include "ui/controls/StdControls.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

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

// Messages that a window being destroyed gets while it still leads into
// its control object, whose members may already be gone.
struct LateMessages {
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && (call->message == WM_DESTROY || call->message == WM_NCDESTROY) &&
            GetWindowLongPtrA(call->hwnd, GWLP_WNDPROC) == subclassProc) {
            ++count;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline LONG_PTR subclassProc = 0;
    static inline int count = 0;
};

TEST(Form, DestroyedControlsGetNoMoreMessages)
{
    auto sample = std::make_unique<SampleForm>();
    LateMessages::subclassProc = GetWindowLongPtrA(sample->ok.Handle(), GWLP_WNDPROC);
    HWND okWindow = sample->ok.Handle();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &LateMessages::Hook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    sample.reset();
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(IsWindow(okWindow));
    EXPECT_EQ(LateMessages::count, 0);
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
