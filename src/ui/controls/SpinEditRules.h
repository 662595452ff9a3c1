#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// Holding a spin button repeats its step after the first delay, then at
// the interval.
constexpr unsigned SpinRepeatDelayMs = 400;
constexpr unsigned SpinRepeatIntervalMs = 100;
constexpr int SpinButtonWidth = 15;
constexpr int SpinButtonHeight = 17;
constexpr const char* SpinUpBitmap = "SpinUp";
constexpr const char* SpinDownBitmap = "SpinDown";
constexpr const char* SpinInitialText = "0";

// What the window does with a key, a typed character or a button click.
enum class SpinAction {
    Pass,          // standard handling
    Drop,          // swallow, no beep
    DropWithBeep,  // MessageBeep(0), swallow
    Beep,          // MessageBeep(0), then standard handling
    StepUp,        // text := SteppedText(text, +1); key handled
    StepDown,      // text := SteppedText(text, -1); key handled
};

// The value rules of the integer spin edit; its text lives in the window.
struct SpinEditRules {
    int32_t minValue = 0;
    int32_t maxValue = 0;  // equal to minValue: no range
    int32_t increment = 1;
    bool editorEnabled = true;
    bool readOnly = false;       // the edit's own read-only state
    char decimalSeparator = '.';  // the user's; it may be typed

    bool HasRange() const { return minValue != maxValue; }
    // Into the range when there is one; otherwise into 32 bits.
    int32_t CheckValue(int64_t value) const;
    // Value read from the text: minValue when it is no integer; not clamped.
    int32_t ReadValue(std::string_view text) const;
    // Text for setting Value: clamped, decimal.
    std::string ValueText(int64_t value) const;
    // Text after one step of `increment` in `direction` (+1 or -1).
    std::string SteppedText(std::string_view text, int direction) const;
    // On focus loss: the text that replaces one holding no integer or a
    // value outside the range; nothing when the text stays.
    std::optional<std::string> ExitText(std::string_view text) const;

    // Pass, Drop, Beep, StepUp or StepDown.
    SpinAction KeyDown(unsigned virtualKey) const;
    // Pass or DropWithBeep.
    SpinAction TypedChar(char c) const;
    // StepUp, StepDown or, when read-only, Beep.
    SpinAction ButtonClick(bool up) const;
    // Paste, cut and clear (WM_PASTE, WM_CUT, WM_CLEAR) take effect.
    bool AllowsClipboardEdits() const { return editorEnabled; }
};

}  // namespace ostrel
