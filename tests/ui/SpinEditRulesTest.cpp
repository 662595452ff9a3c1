#include "ui/SpinEditRules.h"

#include "ui/VirtualKeys.h"

#include <gtest/gtest.h>

#include <limits>

namespace ostrel {
namespace {

SpinEditRules LogLevel()
{
    SpinEditRules rules;
    rules.minValue = 0;
    rules.maxValue = 3;
    return rules;
}

TEST(SpinEditRules, ReadingParsesWithoutClamping)
{
    SpinEditRules rules = LogLevel();
    rules.minValue = 1;
    const std::pair<const char*, int32_t> rows[] = {
        {"2", 2},       {"7", 7},   {"-5", -5}, {"+3", 3},  {" 2 ", 2},  {"007", 7},
        {"", 1},        {"-", 1},   {"+", 1},   {"1,5", 1}, {"2a", 1},   {"--2", 1},
        {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483648", 1},          {"99999999999999999999", 1},
    };
    for (const auto& [text, value] : rows) {
        EXPECT_EQ(rules.ReadValue(text), value) << text;
    }
}

TEST(SpinEditRules, SettingAndSteppingClamp)
{
    const SpinEditRules rules = LogLevel();
    EXPECT_EQ(rules.ValueText(7), "3");
    EXPECT_EQ(rules.ValueText(-1), "0");
    EXPECT_EQ(rules.SteppedText("3", +1), "3");
    EXPECT_EQ(rules.SteppedText("0", -1), "0");
    EXPECT_EQ(rules.SteppedText("1", +1), "2");
    EXPECT_EQ(rules.SteppedText("x", +1), "1");
    EXPECT_EQ(rules.SteppedText("9", -1), "3");

    SpinEditRules free;  // equal bounds: no range
    free.increment = 5;
    EXPECT_EQ(free.ValueText(-40), "-40");
    EXPECT_EQ(free.SteppedText("-2", +1), "3");
    EXPECT_EQ(free.SteppedText("2147483646", +1), "2147483647");
    EXPECT_EQ(free.SteppedText("-2147483647", -1), "-2147483648");
}

TEST(SpinEditRules, ExitRewritesOnlyWhatIsNotInRange)
{
    const SpinEditRules rules = LogLevel();
    EXPECT_EQ(rules.ExitText("7"), "3");
    EXPECT_EQ(rules.ExitText("-2"), "0");
    EXPECT_EQ(rules.ExitText("-"), "0");
    EXPECT_EQ(rules.ExitText("1,5"), "0");
    EXPECT_EQ(rules.ExitText("2"), std::nullopt);
    EXPECT_EQ(rules.ExitText("+3"), std::nullopt);
    EXPECT_EQ(SpinEditRules().ExitText("-123456"), std::nullopt);
}

TEST(SpinEditRules, TypedCharacters)
{
    SpinEditRules rules = LogLevel();
    rules.decimalSeparator = ',';
    const auto pass = SpinAction::Pass;
    const auto beep = SpinAction::DropWithBeep;
    struct Row {
        char c;
        SpinAction enabled, disabled;
    };
    const Row rows[] = {
        {'0', pass, beep},    {'9', pass, beep},    {'+', pass, beep}, {'-', pass, beep},
        {',', pass, beep},    {'.', beep, beep},    {'a', beep, beep}, {' ', beep, beep},
        {'\x7F', beep, beep}, {'\b', pass, beep},   {'\r', beep, beep}, {'\x03', pass, pass},
        {'\x1B', pass, pass}, {'\xB2', beep, beep},
    };
    for (const Row& row : rows) {
        rules.editorEnabled = true;
        EXPECT_EQ(rules.TypedChar(row.c), row.enabled) << int(row.c);
        rules.editorEnabled = false;
        EXPECT_EQ(rules.TypedChar(row.c), row.disabled) << int(row.c);
    }
    EXPECT_FALSE(rules.AllowsClipboardEdits());
}

TEST(SpinEditRules, KeysAndButtons)
{
    SpinEditRules rules = LogLevel();
    EXPECT_EQ(rules.KeyDown(VkUp), SpinAction::StepUp);
    EXPECT_EQ(rules.KeyDown(VkDown), SpinAction::StepDown);
    EXPECT_EQ(rules.KeyDown(VkDelete), SpinAction::Pass);
    EXPECT_EQ(rules.KeyDown(VkReturn), SpinAction::Pass);
    EXPECT_EQ(rules.ButtonClick(false), SpinAction::StepDown);

    rules.editorEnabled = false;
    EXPECT_EQ(rules.KeyDown(VkDelete), SpinAction::Drop);
    EXPECT_EQ(rules.KeyDown(VkUp), SpinAction::StepUp);

    rules.readOnly = true;
    EXPECT_EQ(rules.KeyDown(VkUp), SpinAction::Beep);
    EXPECT_EQ(rules.KeyDown(VkDown), SpinAction::Beep);
    EXPECT_EQ(rules.ButtonClick(true), SpinAction::Beep);
}

}  // namespace
}  // namespace ostrel
