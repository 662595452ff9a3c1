#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace ostrel {

// One argument of a %-template, tagged with its kind so that the formatter
// can check every directive against the value it is given. Templates come
// from language files, so a mismatch must be an error, never a misread.
class FormatArg {
public:
    enum class Kind { Integer, Int64, Float, String, Pointer };

    template <typename T,
              std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                                   !std::is_same_v<T, char>,
                               int> = 0>
    FormatArg(T value)
        : kind_(sizeof(T) <= 4 ? Kind::Integer : Kind::Int64),
          integer_(sizeof(T) <= 4 ? static_cast<int64_t>(static_cast<int32_t>(value))
                                  : static_cast<int64_t>(value))
    {
    }
    // Scoped enums whose numbers are part of a text, such as result codes.
    template <typename E, std::enable_if_t<std::is_enum_v<E>, int> = 0>
    FormatArg(E value) : FormatArg(static_cast<std::underlying_type_t<E>>(value))
    {
    }
    FormatArg(bool) = delete;
    FormatArg(char value) : kind_(Kind::String), text_(1, value) {}
    FormatArg(double value) : kind_(Kind::Float), float_(value) {}
    FormatArg(long double value) : kind_(Kind::Float), float_(static_cast<double>(value)) {}
    FormatArg(const char* value) : kind_(Kind::String), text_(value ? value : "") {}
    FormatArg(std::string_view value) : kind_(Kind::String), text_(value) {}
    FormatArg(const std::string& value) : kind_(Kind::String), text_(value) {}
    FormatArg(const void* value) : kind_(Kind::Pointer), pointer_(value) {}

    Kind kind() const { return kind_; }
    // Integer: the 32-bit value sign-extended; Int64: the 64 bits.
    int64_t integer() const { return integer_; }
    double floating() const { return float_; }
    const std::string& text() const { return text_; }
    const void* pointer() const { return pointer_; }

private:
    Kind kind_;
    int64_t integer_ = 0;
    double float_ = 0.0;
    std::string text_;
    const void* pointer_ = nullptr;
};

using FormatArgs = std::vector<FormatArg>;

// The locale's number and currency conventions that %n and %m use.
struct FormatSettings {
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    std::string currencyString = "$";
    int currencyFormat = 0;     // positive amounts: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int negCurrFormat = 0;      // negative amounts: the 16 Windows LOCALE_INEGCURR forms
    int currencyDecimals = 2;
};

// Fills a Delphi-style template: %[index:][-][width][.precision]type with
// the types d u x e f g n m p s, '*' for a width or precision taken from the
// arguments, and %% for a percent sign. Raises EConvertError when a
// directive is malformed, lacks its argument or gets one of another kind;
// surplus arguments are ignored.
std::string Format(std::string_view pattern, const FormatArgs& args,
                   const FormatSettings& settings = FormatSettings());

}  // namespace ostrel
