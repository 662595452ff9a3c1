#include "ui/controls/SpinEditRules.h"

#include "base/AnsiString.h"
#include "base/Ascii.h"
#include "ui/controls/VirtualKeys.h"

#include <limits>

namespace ostrel {

namespace {

std::optional<int32_t> ParseInteger(std::string_view text)
{
    return ParseInteger32(TrimBlanks(text));
}

}  // namespace

int32_t SpinEditRules::CheckValue(int64_t value) const
{
    int64_t low = std::numeric_limits<int32_t>::min();
    int64_t high = std::numeric_limits<int32_t>::max();
    if (HasRange()) {
        low = minValue;
        high = maxValue;
    }
    if (value < low) {
        return static_cast<int32_t>(low);
    }
    if (value > high) {
        return static_cast<int32_t>(high);
    }
    return static_cast<int32_t>(value);
}

int32_t SpinEditRules::ReadValue(std::string_view text) const
{
    return ParseInteger(text).value_or(minValue);
}

std::string SpinEditRules::ValueText(int64_t value) const
{
    return std::to_string(CheckValue(value));
}

std::string SpinEditRules::SteppedText(std::string_view text, int direction) const
{
    return ValueText(int64_t{ReadValue(text)} + int64_t{direction} * increment);
}

std::optional<std::string> SpinEditRules::ExitText(std::string_view text) const
{
    // Text that is no integer is rewritten too, so the field shows the
    // value that will be used.
    const std::optional<int32_t> value = ParseInteger(text);
    if (value && CheckValue(*value) == *value) {
        return std::nullopt;
    }
    return ValueText(value.value_or(minValue));
}

SpinAction SpinEditRules::KeyDown(unsigned virtualKey) const
{
    switch (virtualKey) {
    case VkUp: return ButtonClick(true);
    case VkDown: return ButtonClick(false);
    // The Delete key edits without a typed character.
    case VkDelete: return editorEnabled ? SpinAction::Pass : SpinAction::Drop;
    default: return SpinAction::Pass;
    }
}

SpinAction SpinEditRules::TypedChar(char c) const
{
    const auto code = static_cast<unsigned char>(c);
    const bool control = code < 0x20;
    bool valid = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == decimalSeparator ||
                 (control && c != '\r');
    // Without the editor only control characters other than backspace
    // remain, so copying still works.
    if (!editorEnabled && (!control || c == '\b')) {
        valid = false;
    }
    return valid ? SpinAction::Pass : SpinAction::DropWithBeep;
}

SpinAction SpinEditRules::ButtonClick(bool up) const
{
    if (readOnly) {
        return SpinAction::Beep;
    }
    return up ? SpinAction::StepUp : SpinAction::StepDown;
}

}  // namespace ostrel
