#include "settings/StoredValue.h"

#include <limits>
#include <optional>

namespace ostrel {

namespace {

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

std::optional<uint64_t> ParseDigits(std::string_view digits, int base, uint64_t limit)
{
    if (digits.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : digits) {
        int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

}  // namespace

int32_t ParseStoredInteger(std::string_view text, int32_t current)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        // Hexadecimal covers all 32 bits: 0xFFFFFFFF is -1.
        std::optional<uint64_t> value = ParseDigits(text.substr(2), 16, 0xFFFFFFFFu);
        return value ? static_cast<int32_t>(static_cast<uint32_t>(*value)) : current;
    }
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const uint64_t limit = negative ? uint64_t{1} << 31 : std::numeric_limits<int32_t>::max();
    std::optional<uint64_t> value = ParseDigits(text, 10, limit);
    if (!value) {
        return current;
    }
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(*value) : static_cast<int64_t>(*value));
}

bool ParseStoredBoolean(std::string_view text, bool current)
{
    return ParseStoredInteger(text, current ? 1 : 0) != 0;
}

std::string StoredIntegerText(int32_t value)
{
    return std::to_string(value);
}

std::string StoredBooleanText(bool value)
{
    return value ? "1" : "0";
}

}  // namespace ostrel
