#include "ui/KxEditRules.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

#include <string>

namespace ostrel::kx {
namespace {

std::string Accepted(const CharacterSet& set)
{
    std::string result;
    for (unsigned c = 0; c < 256; ++c) {
        if (set[c]) {
            result += static_cast<char>(c);
        }
    }
    return result;
}

std::string Typed(const KxEditProperties& edit, const std::string& keys)
{
    std::string text;
    for (char c : keys) {
        if (edit.TypedChar(c) == KxAction::Pass) {
            text += c;
        }
    }
    return text;
}

TEST(KxEditRules, CharacterSets)
{
    EXPECT_EQ(Accepted(AcceptedCharacters(acDigits)), "\b0123456789");
    EXPECT_EQ(Accepted(AcceptedCharacters(acDigitsSigns)), "\b%&()*+,-./0123456789:");
    EXPECT_EQ(Accepted(AcceptedCharacters(acLetters)),
              "\b!#$-.ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
    const CharacterSet all = AcceptedCharacters(acAll);
    EXPECT_EQ(all.count(), 255u);
    EXPECT_FALSE(all[0]);
}

TEST(KxEditRules, FirstValuesAndAlignmentStyles)
{
    const KxEditProperties edit;
    EXPECT_FALSE(edit.NoBeepOnReturn());
    EXPECT_EQ(edit.ExitOptions(), 0);
    EXPECT_EQ(edit.AllowedChars(), acAll);
    EXPECT_EQ(edit.EditFormat(), teNormal);
    EXPECT_EQ(edit.Alignment(), taRightJustify);
    EXPECT_EQ(AlignmentStyle(edit.Alignment()), 0x2u);
    EXPECT_EQ(AlignmentStyle(taLeftJustify), 0x0u);
    EXPECT_EQ(AlignmentStyle(taCenter), 0x1u);
}

TEST(KxEditRules, FilterAndFormatSwitchEachOther)
{
    KxEditProperties edit;
    edit.SetEditFormat(teDate);
    edit.SetAllowedChars(acDigits);
    EXPECT_EQ(edit.EditFormat(), teNormal);
    EXPECT_EQ(Typed(edit, "12a3\b"), "123\b");

    edit.SetEditFormat(teDate);
    EXPECT_EQ(edit.AllowedChars(), acAll);
    // The filter follows at once, and acAll stays in force.
    EXPECT_EQ(Typed(edit, "12a3"), "12a3");
    edit.SetAllowedChars(acAll);
    EXPECT_EQ(edit.EditFormat(), teNormal);
    EXPECT_EQ(Typed(edit, "a\x01"), "a\x01");

    // Even an unchanged filter switches the format off; teNormal keeps the filter.
    edit.SetAllowedChars(acLetters);
    edit.SetEditFormat(teNormal);
    EXPECT_EQ(edit.AllowedChars(), acLetters);
    EXPECT_EQ(Typed(edit, "Ab1 _\xE4\x03"), "Ab_");
}

TEST(KxEditRules, KeysMoveFocusOnlyWhenChosen)
{
    struct Row {
        TExitOptions options;
        unsigned key;
        KxAction action;
    };
    const TExitOptions all = PrevDlgOnUp | NextDlgOnDown | NextDlgOnReturn;
    const Row rows[] = {
        {all, VkReturn, KxAction::NextControl},
        {all, VkDown, KxAction::NextControl},
        {all, VkUp, KxAction::PreviousControl},
        {all, VkDelete, KxAction::Pass},
        {all, 0x09, KxAction::Pass},
        {NextDlgOnReturn, VkDown, KxAction::Pass},
        {NextDlgOnReturn, VkUp, KxAction::Pass},
        {NextDlgOnDown, VkReturn, KxAction::Pass},
        {PrevDlgOnUp, VkDown, KxAction::Pass},
        {0, VkUp, KxAction::Pass},
    };
    KxEditProperties edit;
    for (const Row& row : rows) {
        edit.SetExitOptions(row.options);
        EXPECT_EQ(edit.KeyDown(row.key), row.action) << row.options << " " << row.key;
    }
}

TEST(KxEditRules, EnterIsDroppedOnlyWithNoBeep)
{
    KxEditProperties edit;
    EXPECT_EQ(edit.TypedChar('\r'), KxAction::Pass);
    edit.SetNoBeepOnReturn(true);
    EXPECT_EQ(edit.TypedChar('\r'), KxAction::Drop);
    EXPECT_EQ(edit.TypedChar('\n'), KxAction::Pass);
    EXPECT_EQ(edit.TypedChar('\0'), KxAction::Drop);
}

TEST(KxEditRules, DateCompletedOnExitOnlyForDateFormat)
{
    const CalendarDate today{2004, 3, 15};
    KxEditProperties edit;
    EXPECT_EQ(edit.ExitDate("5", today), std::nullopt);
    edit.SetEditFormat(teDate);
    EXPECT_EQ(edit.ExitDate("5", today), (CalendarDate{2004, 3, 5}));
    EXPECT_EQ(edit.ExitDate(" \t ", today), std::nullopt);
    EXPECT_EQ(edit.ExitDate("-", today), today);
    EXPECT_THROW(edit.ExitDate("0.5", today), EConvertError);
}

}  // namespace
}  // namespace ostrel::kx
