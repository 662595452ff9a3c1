#pragma once

#include "ui/controls/DateCompletion.h"
#include "ui/controls/VirtualKeys.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>

// The behaviour of the component library's edit, apart from its window. The
// library has its own enumerations (its alignment starts with
// taRightJustify), so they live in their own namespace, away from the
// framework's.
namespace ostrel::kx {

// A set of these, one bit per value in enumeration order.
enum TExitOption { PrevDlgOnUp = 1, NextDlgOnDown = 2, NextDlgOnReturn = 4 };
using TExitOptions = int;

enum TAllowedChars { acAll, acDigits, acDigitsSigns, acLetters };
enum TEditFormat { teNormal, teDate, teTime, tePhone };
enum TAlignment { taRightJustify, taLeftJustify, taCenter };

// One bit per ANSI character code.
using CharacterSet = std::bitset<256>;

CharacterSet AcceptedCharacters(TAllowedChars allowedChars);

// The edit style flag: ES_LEFT, ES_CENTER or ES_RIGHT.
uint32_t AlignmentStyle(TAlignment alignment);

// What the window does with a key or a typed character.
enum class KxAction {
    Pass,             // standard handling
    Drop,             // swallow, no beep
    NextControl,      // WM_NEXTDLGCTL (0, 0) to the owner, then standard handling
    PreviousControl,  // WM_NEXTDLGCTL (1, 0) to the owner, then standard handling
};

// The five published properties, created at their first values, and the
// accepted-character set that follows AllowedChars.
class KxEditProperties {
public:
    bool NoBeepOnReturn() const { return noBeepOnReturn_; }
    void SetNoBeepOnReturn(bool value) { noBeepOnReturn_ = value; }
    TExitOptions ExitOptions() const { return exitOptions_; }
    void SetExitOptions(TExitOptions value) { exitOptions_ = value; }
    TAllowedChars AllowedChars() const { return allowedChars_; }
    // Switches any format off.
    void SetAllowedChars(TAllowedChars value);
    TEditFormat EditFormat() const { return editFormat_; }
    // A format other than teNormal switches the filter to acAll.
    void SetEditFormat(TEditFormat value);
    TAlignment Alignment() const { return alignment_; }
    // The window must be recreated for the new style.
    void SetAlignment(TAlignment value) { alignment_ = value; }

    bool Accepts(char c) const { return accepted_[static_cast<unsigned char>(c)]; }

    // Pass, NextControl or PreviousControl; the key is never swallowed.
    KxAction KeyDown(unsigned virtualKey) const;
    // Pass or Drop.
    KxAction TypedChar(char c) const;
    // On focus loss: the date to write back in the user's short date
    // format, or nothing when the text stays. Raises EConvertError for an
    // impossible date; the text then stays as typed.
    std::optional<CalendarDate> ExitDate(std::string_view text, const CalendarDate& today) const;

private:
    bool noBeepOnReturn_ = false;
    TExitOptions exitOptions_ = 0;
    TAllowedChars allowedChars_ = acAll;
    TEditFormat editFormat_ = teNormal;
    TAlignment alignment_ = taRightJustify;
    CharacterSet accepted_ = AcceptedCharacters(acAll);
};

}  // namespace ostrel::kx
