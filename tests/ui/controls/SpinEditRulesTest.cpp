#include "ui/controls/SpinEditRules.h"

#include "ui/controls/VirtualKeys.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

const SpinEditRules LogLevel{0, 3};

TEST(SpinEditRules, ReadingParsesWithoutClamping)
{
    const SpinEditRules rules{1, 3};
    const std::pair<const char*, int32_t> rows[] = {
        {"7", 7}, {"-5", -5}, {"+3", 3}, {" 2 ", 2}, {"", 1}, {"-", 1}, {"1,5", 1}, {"--2", 1},
        {"-2147483648", INT32_MIN}, {"2147483648", 1}, {"99999999999999999999", 1},
    };
    for (const auto& [text, value] : rows) {
        EXPECT_EQ(rules.ReadValue(text), value) << text;
    }
}

TEST(SpinEditRules, SettingSteppingAndExitClamp)
{
    EXPECT_EQ(LogLevel.ValueText(7), "3");
    EXPECT_EQ((SpinEditRules{-2, 3}).ValueText(-7), "-2");
    EXPECT_EQ(LogLevel.SteppedText("3", +1), "3");
    EXPECT_EQ(LogLevel.SteppedText("0", -1), "0");
    EXPECT_EQ(LogLevel.SteppedText("x", +1), "1");
    EXPECT_EQ(LogLevel.ExitText("7"), "3");
    EXPECT_EQ(LogLevel.ExitText("-"), "0");
    EXPECT_EQ(LogLevel.ExitText("+3"), std::nullopt);

    const SpinEditRules free{0, 0, 5};  // equal bounds: no range
    EXPECT_EQ(free.SteppedText("-2", +1), "3");
    EXPECT_EQ(free.SteppedText("2147483646", +1), "2147483647");
    EXPECT_EQ(free.ExitText("-123456"), std::nullopt);
}

TEST(SpinEditRules, TypedCharacters)
{
    const auto pass = SpinAction::Pass;
    const auto beep = SpinAction::DropWithBeep;
    const std::tuple<char, SpinAction, SpinAction> rows[] = {
        // character, with the editor, without it
        {'0', pass, beep},  {'9', pass, beep},    {'+', pass, beep},    {'-', pass, beep},
        {',', pass, beep},  {'.', beep, beep},    {'a', beep, beep},    {' ', beep, beep},
        {'\b', pass, beep}, {'\r', beep, beep},   {'\x03', pass, pass}, {'\x7F', beep, beep},
    };
    SpinEditRules rules = LogLevel;
    rules.decimalSeparator = ',';
    for (const auto& [c, enabled, disabled] : rows) {
        rules.editorEnabled = true;
        EXPECT_EQ(rules.TypedChar(c), enabled) << int(c);
        rules.editorEnabled = false;
        EXPECT_EQ(rules.TypedChar(c), disabled) << int(c);
    }
}

TEST(SpinEditRules, KeysAndButtons)
{
    SpinEditRules rules = LogLevel;
    EXPECT_EQ(rules.KeyDown(VkUp), SpinAction::StepUp);
    EXPECT_EQ(rules.KeyDown(VkDown), SpinAction::StepDown);
    EXPECT_EQ(rules.KeyDown(VkDelete), SpinAction::Pass);
    rules.editorEnabled = false;
    EXPECT_EQ(rules.KeyDown(VkDelete), SpinAction::Drop);
    EXPECT_EQ(rules.ButtonClick(true), SpinAction::StepUp);
    rules.readOnly = true;
    EXPECT_EQ(rules.KeyDown(VkDown), SpinAction::Beep);
    EXPECT_EQ(rules.ButtonClick(true), SpinAction::Beep);
}

}  // namespace
}  // namespace ostrel
