#include "support/TestDialogContext.h"
#include "ui/controls/Form.h"
#include "ui/controls/KxEdit.h"
#include "ui/controls/SpinEdit.h"
#include "ui/controls/StdControls.h"

#include <gtest/gtest.h>

namespace ostrel::test {
namespace {

void Type(HWND window, const std::string& text)
{
    for (char c : text) {
        SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

struct InputForm {
    InputForm() : form(nullptr, "frmInput")
    {
        form.SetClientSize(300, 120);
        first.SetBounds(10, 10, 100, 21);
        edit.SetBounds(10, 40, 100, 21);
        spin.SetBounds(10, 70, 49, 22);
        first.SetTabOrder(0);
        edit.SetTabOrder(1);
        spin.SetTabOrder(2);
        ShowWindow(form.Handle(), SW_SHOW);
    }
    ~InputForm() { ShowWindow(form.Handle(), SW_HIDE); }

    TestDialogContext plugin;
    TForm form;
    TKxEdit& first = form.Add<TKxEdit>(form, "edtFirst", plugin.messages);
    TKxEdit& edit = form.Add<TKxEdit>(form, "edtTest", plugin.messages);
    TSpinEdit& spin = form.Add<TSpinEdit>(form, "sedTest");
};

TEST(KxEdit, FiltersTypedCharactersButNotPastedText)
{
    InputForm input;
    input.edit.SetAllowedChars(kx::acDigits);
    Type(input.edit.Handle(), "12a3");
    EXPECT_EQ(input.edit.Caption(), "123");
    Type(input.edit.Handle(), "\b");
    EXPECT_EQ(input.edit.Caption(), "12");
    input.edit.SetEditFormat(kx::teDate);
    EXPECT_EQ(input.edit.AllowedChars(), kx::acAll);
    input.edit.SetAllowedChars(kx::acDigits);
    EXPECT_EQ(input.edit.EditFormat(), kx::teNormal);
}

TEST(KxEdit, ExitKeysMoveTheFocusAndAlignmentRecreatesTheWindow)
{
    InputForm input;
    EXPECT_EQ(input.edit.Alignment(), kx::taRightJustify);
    EXPECT_TRUE(GetWindowLongPtrA(input.edit.Handle(), GWL_STYLE) & ES_RIGHT);
    input.edit.SetCaption("kept");
    input.edit.SetAlignment(kx::taLeftJustify);
    EXPECT_FALSE(GetWindowLongPtrA(input.edit.Handle(), GWL_STYLE) & ES_RIGHT);
    EXPECT_EQ(input.edit.Caption(), "kept");

    input.edit.SetExitOptions(kx::PrevDlgOnUp | kx::NextDlgOnDown | kx::NextDlgOnReturn);
    input.edit.SetFocus();
    SendMessageA(input.edit.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(GetFocus(), input.spin.Handle());
    input.edit.SetFocus();
    SendMessageA(input.edit.Handle(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(GetFocus(), input.first.Handle());
    input.first.SetFocus();
    SendMessageA(input.first.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(GetFocus(), input.first.Handle());
}

TEST(SpinEdit, RangeIsKeptOnExitAndByTheArrowKeys)
{
    InputForm input;
    EXPECT_EQ(input.spin.Caption(), "0");
    input.spin.SetRange(0, 3);
    input.spin.SetCaption("");
    Type(input.spin.Handle(), "7x");
    EXPECT_EQ(input.spin.Caption(), "7");
    EXPECT_EQ(input.spin.Value(), 7);
    SendMessageA(input.spin.Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(input.spin.Caption(), "3");
    SendMessageA(input.spin.Handle(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(input.spin.Value(), 3);
    SendMessageA(input.spin.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(input.spin.Value(), 2);
    input.spin.SetValue(-5);
    EXPECT_EQ(input.spin.Caption(), "0");
    input.spin.SetCaption("abc");
    EXPECT_EQ(input.spin.Value(), 0);
}

}  // namespace
}  // namespace ostrel::test
