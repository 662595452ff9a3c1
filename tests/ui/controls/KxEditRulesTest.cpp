#include "ui/controls/KxEditRules.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

namespace ostrel::kx {
namespace {

std::string Typed(const KxEditProperties& edit, const std::string& keys)
{
    std::string text;
    for (char c : keys) {
        text += edit.TypedChar(c) == KxAction::Pass ? std::string(1, c) : "";
    }
    return text;
}

TEST(KxEditRules, FirstValuesAndCharacterSets)
{
    const KxEditProperties edit;
    EXPECT_EQ(edit.ExitOptions(), 0);
    EXPECT_EQ(edit.AllowedChars(), acAll);
    EXPECT_EQ(edit.EditFormat(), teNormal);
    EXPECT_EQ(AlignmentStyle(edit.Alignment()), 0x2u);  // ES_RIGHT
    EXPECT_EQ(AlignmentStyle(taCenter), 0x1u);
    EXPECT_EQ(AcceptedCharacters(acAll).count(), 255u);
    EXPECT_FALSE(AcceptedCharacters(acAll)[0]);

    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::pair<TAllowedChars, const char*> sets[] = {
        {acDigits, "\b0123456789"},
        {acDigitsSigns, "\b%&()*+,-./0123456789:"},
        {acLetters, "\b!#$-.ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"},
    };
    for (const auto& [allowed, accepted] : sets) {
        KxEditProperties filtered;
        filtered.SetAllowedChars(allowed);
        EXPECT_EQ(Typed(filtered, all), accepted) << allowed;
    }
}

TEST(KxEditRules, FilterAndFormatSwitchEachOther)
{
    KxEditProperties edit;
    edit.SetEditFormat(teDate);
    edit.SetAllowedChars(acDigits);
    EXPECT_EQ(edit.EditFormat(), teNormal);
    EXPECT_EQ(Typed(edit, "12a3"), "123");

    // The set follows the switch to acAll at once.
    edit.SetEditFormat(teDate);
    EXPECT_EQ(edit.AllowedChars(), acAll);
    EXPECT_EQ(Typed(edit, "12a3"), "12a3");

    // An unchanged filter still ends the format; teNormal keeps the filter.
    edit.SetAllowedChars(acAll);
    EXPECT_EQ(edit.EditFormat(), teNormal);
    edit.SetAllowedChars(acLetters);
    edit.SetEditFormat(teNormal);
    EXPECT_EQ(edit.AllowedChars(), acLetters);
}

TEST(KxEditRules, KeysAndEnter)
{
    const TExitOptions all = PrevDlgOnUp | NextDlgOnDown | NextDlgOnReturn;
    const std::tuple<TExitOptions, unsigned, KxAction> rows[] = {
        {all, VkReturn, KxAction::NextControl},   {all, VkDown, KxAction::NextControl},
        {all, VkUp, KxAction::PreviousControl},   {all, VkDelete, KxAction::Pass},
        {NextDlgOnReturn, VkDown, KxAction::Pass}, {NextDlgOnDown, VkReturn, KxAction::Pass},
        {NextDlgOnDown, VkUp, KxAction::Pass},     {PrevDlgOnUp, VkDown, KxAction::Pass},
    };
    KxEditProperties edit;
    for (const auto& [options, key, action] : rows) {
        edit.SetExitOptions(options);
        EXPECT_EQ(edit.KeyDown(key), action) << options << " " << key;
    }
    EXPECT_EQ(Typed(edit, "\r\n"), "\r\n");
    edit.SetNoBeepOnReturn(true);
    EXPECT_EQ(Typed(edit, "\r\n"), "\n");
}

TEST(KxEditRules, DateCompletedOnExitOnlyForDateFormat)
{
    const CalendarDate today{2004, 3, 15};
    KxEditProperties edit;
    EXPECT_EQ(edit.ExitDate("5", today), std::nullopt);
    edit.SetEditFormat(teDate);
    EXPECT_EQ(edit.ExitDate("5", today), (CalendarDate{2004, 3, 5}));
    EXPECT_EQ(edit.ExitDate(" \t", today), std::nullopt);
    EXPECT_EQ(edit.ExitDate("-", today), today);
    EXPECT_THROW(edit.ExitDate("0.5", today), EConvertError);
}

}  // namespace
}  // namespace ostrel::kx
