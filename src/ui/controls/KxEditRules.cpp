#include "ui/controls/KxEditRules.h"

#include "base/AnsiString.h"

namespace ostrel::kx {

namespace {

constexpr unsigned char Backspace = 8;

void AddRange(CharacterSet& set, unsigned char first, unsigned char last)
{
    for (unsigned c = first; c <= last; ++c) {
        set.set(c);
    }
}

void AddEach(CharacterSet& set, std::string_view characters)
{
    for (char c : characters) {
        set.set(static_cast<unsigned char>(c));
    }
}

}  // namespace

CharacterSet AcceptedCharacters(TAllowedChars allowedChars)
{
    CharacterSet set;
    switch (allowedChars) {
    case acAll:
        set.set();
        set.reset(0);
        break;
    case acDigits:
        set.set(Backspace);
        AddRange(set, '0', '9');
        break;
    case acDigitsSigns:
        set.set(Backspace);
        AddEach(set, "%&");
        AddRange(set, '(', ':');
        break;
    case acLetters:
        set.set(Backspace);
        AddEach(set, "!#$-._");
        AddRange(set, 'A', 'Z');
        AddRange(set, 'a', 'z');
        break;
    }
    return set;
}

uint32_t AlignmentStyle(TAlignment alignment)
{
    constexpr uint32_t EsLeft = 0x0;
    constexpr uint32_t EsCenter = 0x1;
    constexpr uint32_t EsRight = 0x2;
    switch (alignment) {
    case taLeftJustify: return EsLeft;
    case taCenter: return EsCenter;
    case taRightJustify: break;
    }
    return EsRight;
}

void KxEditProperties::SetAllowedChars(TAllowedChars value)
{
    if (value != allowedChars_) {
        allowedChars_ = value;
        accepted_ = AcceptedCharacters(value);
    }
    editFormat_ = teNormal;
}

void KxEditProperties::SetEditFormat(TEditFormat value)
{
    editFormat_ = value;
    // The set follows at once: a filter that reads acAll but still refuses
    // characters could not be undone by setting acAll again.
    if (value != teNormal && allowedChars_ != acAll) {
        allowedChars_ = acAll;
        accepted_ = AcceptedCharacters(acAll);
    }
}

KxAction KxEditProperties::KeyDown(unsigned virtualKey) const
{
    if ((virtualKey == VkReturn && (exitOptions_ & NextDlgOnReturn)) ||
        (virtualKey == VkDown && (exitOptions_ & NextDlgOnDown))) {
        return KxAction::NextControl;
    }
    if (virtualKey == VkUp && (exitOptions_ & PrevDlgOnUp)) {
        return KxAction::PreviousControl;
    }
    return KxAction::Pass;
}

KxAction KxEditProperties::TypedChar(char c) const
{
    if (c == '\r' && noBeepOnReturn_) {
        return KxAction::Drop;
    }
    return Accepts(c) ? KxAction::Pass : KxAction::Drop;
}

std::optional<CalendarDate> KxEditProperties::ExitDate(std::string_view text,
                                                       const CalendarDate& today) const
{
    if (editFormat_ != teDate || TrimBlanks(text).empty()) {
        return std::nullopt;
    }
    return CompleteDate(text, today);
}

}  // namespace ostrel::kx
