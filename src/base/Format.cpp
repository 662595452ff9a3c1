#include "base/Format.h"

#include "base/Ascii.h"

#include "base/Exception.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace ostrel {

namespace {

// Widths and precisions are clamped rather than refused: a translator's typo
// such as %999999999d should cost the layout, not the whole message, and the
// clamp keeps a hostile template from allocating gigabytes.
constexpr int kMaxField = 4096;
// Delphi computes floats to 18 significant digits and at most 18 decimals.
constexpr int kMaxFloatDigits = 18;
// Digit runs saturate here, far above every limit but still without overflow.
constexpr int64_t kSaturatedNumber = 1'000'000'000;

constexpr int kDefaultSignificantDigits = 15;
constexpr int kDefaultDecimals = 2;
constexpr int kNoPrecision = -1;

// '$' stands for the currency string and '1' for the amount.
constexpr const char* kPositiveCurrencyLayouts[] = {"$1", "1$", "$ 1", "1 $"};
constexpr const char* kNegativeCurrencyLayouts[] = {
    "($1)", "-$1",  "$-1",  "$1-",  "(1$)",  "-1$",  "1-$",   "1$-",
    "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};

int ClampField(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, 0, kMaxField));
}

std::string UnsignedText(uint64_t value, unsigned base)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string reversed;
    do {
        reversed += kDigits[value % base];
        value /= base;
    } while (value != 0);
    return std::string(reversed.rbegin(), reversed.rend());
}

std::string WithMinDigits(std::string digits, int minDigits)
{
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, minDigits - digits.size(), '0');
    }
    return digits;
}

std::string SignedText(int64_t value, int minDigits)
{
    // Negating in unsigned arithmetic keeps INT64_MIN defined.
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value)
                                         : static_cast<uint64_t>(value);
    const std::string digits = WithMinDigits(UnsignedText(magnitude, 10), minDigits);
    return value < 0 ? "-" + digits : digits;
}

std::string PointerText(const void* pointer)
{
    return WithMinDigits(UnsignedText(reinterpret_cast<uintptr_t>(pointer), 16),
                         static_cast<int>(2 * sizeof(void*)));
}

// A finite float as 0.digits * 10^exponent, like Delphi's TFloatRec: no
// leading or trailing zeros in digits, and zero has no digits and no sign.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

void DropTrailingZeros(Decimal& decimal)
{
    while (!decimal.digits.empty() && decimal.digits.back() == '0') {
        decimal.digits.pop_back();
    }
    if (decimal.digits.empty()) {
        decimal = Decimal();
    }
}

Decimal ToDecimal(double value)
{
    Decimal decimal;
    if (value == 0) {
        return decimal;
    }
    // "d.ddd...e+xx" with kMaxFloatDigits significant digits.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, kMaxFloatDigits - 1);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = text.find('e');
    decimal.negative = value < 0;
    decimal.digits = std::string(1, text[0]);
    decimal.digits += text.substr(2, e - 2);
    decimal.exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    DropTrailingZeros(decimal);
    return decimal;
}

// Keeps `count` significant digits, rounding half away from zero on the
// decimal digits as Delphi does (so 0.125 gives 0.13, not printf's 0.12).
void RoundToDigits(Decimal& decimal, int count)
{
    if (count < 0) {
        decimal = Decimal();
        return;
    }
    if (static_cast<int>(decimal.digits.size()) <= count) {
        return;
    }
    const bool roundUp = decimal.digits[count] >= '5';
    decimal.digits.resize(count);
    if (roundUp) {
        while (!decimal.digits.empty() && decimal.digits.back() == '9') {
            decimal.digits.pop_back();
        }
        if (decimal.digits.empty()) {
            decimal.digits = "1";
            ++decimal.exponent;
        } else {
            ++decimal.digits.back();
        }
    }
    DropTrailingZeros(decimal);
}

char DigitAt(const Decimal& decimal, int index)
{
    return index >= 0 && index < static_cast<int>(decimal.digits.size()) ? decimal.digits[index]
                                                                          : '0';
}

std::string IntegerPart(const Decimal& decimal, char thousandSeparator)
{
    const int count = std::max(decimal.exponent, 1);
    std::string text;
    for (int i = 0; i < count; ++i) {
        const bool startsGroup = i > 0 && (count - i) % 3 == 0;
        // A locale without a separator reads as NUL; it must not become a byte.
        if (startsGroup && thousandSeparator != '\0') {
            text += thousandSeparator;
        }
        text += DigitAt(decimal, decimal.exponent - count + i);
    }
    return text;
}

// Unsigned; the caller places the sign.
std::string FixedDigits(const Decimal& decimal, int decimals, char thousandSeparator,
                        char decimalSeparator)
{
    std::string text = IntegerPart(decimal, thousandSeparator);
    if (decimals > 0) {
        text += decimalSeparator;
        for (int i = 0; i < decimals; ++i) {
            text += DigitAt(decimal, decimal.exponent + i);
        }
    }
    return text;
}

Decimal RoundedToDecimals(double value, int decimals)
{
    Decimal decimal = ToDecimal(value);
    RoundToDigits(decimal, decimal.exponent + decimals);
    return decimal;
}

std::string Signed(const Decimal& decimal, std::string text)
{
    return decimal.negative ? "-" + text : text;
}

std::string ExponentSuffix(const Decimal& decimal)
{
    const int exponent = decimal.digits.empty() ? 0 : decimal.exponent - 1;
    return std::string("E") + (exponent < 0 ? '-' : '+') +
           WithMinDigits(std::to_string(std::abs(exponent)), 3);
}

std::string Mantissa(const Decimal& decimal, int digitCount, char decimalSeparator)
{
    std::string text(1, DigitAt(decimal, 0));
    if (digitCount > 1) {
        text += decimalSeparator;
        for (int i = 1; i < digitCount; ++i) {
            text += DigitAt(decimal, i);
        }
    }
    return text;
}

int SignificantDigits(int precision)
{
    return precision == kNoPrecision ? kDefaultSignificantDigits
                                     : std::clamp(precision, 1, kMaxFloatDigits);
}

int Decimals(int precision, int fallback)
{
    return std::min(precision == kNoPrecision ? fallback : precision, kMaxFloatDigits);
}

std::string ScientificText(double value, int precision, char decimalSeparator)
{
    const int digits = SignificantDigits(precision);
    Decimal decimal = ToDecimal(value);
    RoundToDigits(decimal, digits);
    return Signed(decimal, Mantissa(decimal, digits, decimalSeparator) + ExponentSuffix(decimal));
}

std::string GeneralText(double value, int precision, char decimalSeparator)
{
    const int digits = SignificantDigits(precision);
    Decimal decimal = ToDecimal(value);
    RoundToDigits(decimal, digits);
    const int significant = static_cast<int>(decimal.digits.size());
    // Exponent -4 is the 0.00001 threshold.
    const bool fixed = decimal.digits.empty() ||
                       (decimal.exponent >= -4 && decimal.exponent <= digits);
    if (fixed) {
        const int decimals = std::max(significant - decimal.exponent, 0);
        return Signed(decimal, FixedDigits(decimal, decimals, '\0', decimalSeparator));
    }
    return Signed(decimal,
                  Mantissa(decimal, significant, decimalSeparator) + ExponentSuffix(decimal));
}

std::string FillCurrencyLayout(const char* layout, const std::string& amount,
                               const std::string& currency)
{
    std::string text;
    for (const char* c = layout; *c != '\0'; ++c) {
        text += *c == '$' ? currency : *c == '1' ? amount : std::string(1, *c);
    }
    return text;
}

template <size_t N>
const char* LayoutAt(const char* const (&layouts)[N], int index)
{
    // Settings read from a damaged locale fall back to the first layout.
    return index >= 0 && static_cast<size_t>(index) < N ? layouts[index] : layouts[0];
}

std::string CurrencyText(double value, int precision, const FormatSettings& settings)
{
    const int decimals = Decimals(precision, std::max(settings.currencyDecimals, 0));
    const Decimal decimal = RoundedToDecimals(value, decimals);
    const std::string amount = FixedDigits(decimal, decimals, settings.thousandSeparator,
                                           settings.decimalSeparator);
    const char* layout = decimal.negative
                             ? LayoutAt(kNegativeCurrencyLayouts, settings.negCurrFormat)
                             : LayoutAt(kPositiveCurrencyLayouts, settings.currencyFormat);
    return FillCurrencyLayout(layout, amount, settings.currencyString);
}

std::string FloatText(char type, double value, int precision, const FormatSettings& settings)
{
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    switch (type) {
    case 'e':
        return ScientificText(value, precision, settings.decimalSeparator);
    case 'g':
        return GeneralText(value, precision, settings.decimalSeparator);
    case 'm':
        return CurrencyText(value, precision, settings);
    default: {
        const char separator = type == 'n' ? settings.thousandSeparator : '\0';
        const int decimals = Decimals(precision, kDefaultDecimals);
        const Decimal decimal = RoundedToDecimals(value, decimals);
        return Signed(decimal,
                      FixedDigits(decimal, decimals, separator, settings.decimalSeparator));
    }
    }
}

bool IsIntegerKind(const FormatArg& arg)
{
    return arg.kind() == FormatArg::Kind::Integer || arg.kind() == FormatArg::Kind::Int64;
}

uint64_t UnsignedValue(const FormatArg& arg)
{
    return arg.kind() == FormatArg::Kind::Integer ? static_cast<uint32_t>(arg.integer())
                                                  : static_cast<uint64_t>(arg.integer());
}

size_t MaxLength(int precision)
{
    return precision == kNoPrecision ? std::string::npos : static_cast<size_t>(precision);
}

struct Field {
    bool leftJustify = false;
    int width = 0;
    int precision = kNoPrecision;
};

std::string Pad(std::string text, const Field& field)
{
    if (static_cast<int>(text.size()) < field.width) {
        const size_t padding = field.width - text.size();
        text.insert(field.leftJustify ? text.size() : 0, padding, ' ');
    }
    return text;
}

class Formatter {
public:
    Formatter(std::string_view pattern, const FormatArgs& args, const FormatSettings& settings)
        : pattern_(pattern), args_(args), settings_(settings)
    {
    }

    std::string Run()
    {
        std::string result;
        while (position_ < pattern_.size()) {
            const size_t percent = std::min(pattern_.find('%', position_), pattern_.size());
            result.append(pattern_.substr(position_, percent - position_));
            position_ = percent;
            if (Accept('%')) {
                result += Accept('%') ? "%" : Directive();
            }
        }
        return result;
    }

private:
    [[noreturn]] void Fail() const
    {
        throw EConvertError("Format '" + std::string(pattern_) +
                            "' invalid or incompatible with argument");
    }

    bool Accept(char c)
    {
        if (position_ < pattern_.size() && pattern_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }

    const FormatArg& NextArgument()
    {
        if (nextArgument_ >= args_.size()) {
            Fail();
        }
        return args_[nextArgument_++];
    }

    // Digits or '*'; nothing when neither is there.
    std::optional<int64_t> ReadNumber()
    {
        if (Accept('*')) {
            return IntegerArgument().integer();
        }
        if (position_ >= pattern_.size() || !IsDigit(pattern_[position_])) {
            return std::nullopt;
        }
        int64_t value = 0;
        while (position_ < pattern_.size() && IsDigit(pattern_[position_])) {
            value = std::min(value * 10 + (pattern_[position_++] - '0'), kSaturatedNumber);
        }
        return value;
    }

    void SetArgumentIndex(int64_t index)
    {
        if (index < 0) {
            Fail();
        }
        nextArgument_ = static_cast<size_t>(std::min(index, kSaturatedNumber));
    }

    void SetWidth(Field& field, std::optional<int64_t> width)
    {
        if (!width) {
            return;
        }
        // A negative '*' width left-justifies; clamp before negating INT64_MIN.
        if (*width < 0) {
            field.leftJustify = true;
            field.width = ClampField(-std::max(*width, -int64_t{kMaxField}));
        } else {
            field.width = ClampField(*width);
        }
    }

    Field ReadField()
    {
        Field field;
        // A leading number is the index when ':' follows, else already the width.
        std::optional<int64_t> number = ReadNumber();
        if (Accept(':')) {
            SetArgumentIndex(number.value_or(0));
            number.reset();
        }
        if (!number) {
            field.leftJustify = Accept('-');
            number = ReadNumber();
        }
        SetWidth(field, number);
        if (Accept('.')) {
            // A negative '*' precision means none, as in C.
            const int64_t precision = ReadNumber().value_or(0);
            field.precision = precision < 0 ? kNoPrecision : ClampField(precision);
        }
        return field;
    }

    std::string Directive()
    {
        const Field field = ReadField();
        if (position_ >= pattern_.size()) {
            Fail();
        }
        const char type = LowerAscii(pattern_[position_++]);
        return Pad(Convert(type, field.precision), field);
    }

    std::string Convert(char type, int precision)
    {
        switch (type) {
        case 'd':
            return SignedText(IntegerArgument().integer(), precision);
        case 'u':
            return WithMinDigits(UnsignedText(UnsignedValue(IntegerArgument()), 10), precision);
        case 'x':
            return WithMinDigits(UnsignedText(UnsignedValue(IntegerArgument()), 16), precision);
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm':
            return FloatText(type, ArgumentOf(FormatArg::Kind::Float).floating(), precision,
                             settings_);
        case 'p':
            return PointerText(ArgumentOf(FormatArg::Kind::Pointer).pointer());
        case 's':
            return ArgumentOf(FormatArg::Kind::String).text().substr(0, MaxLength(precision));
        default:
            Fail();
        }
    }

    const FormatArg& IntegerArgument()
    {
        const FormatArg& arg = NextArgument();
        if (!IsIntegerKind(arg)) {
            Fail();
        }
        return arg;
    }

    const FormatArg& ArgumentOf(FormatArg::Kind kind)
    {
        const FormatArg& arg = NextArgument();
        if (arg.kind() != kind) {
            Fail();
        }
        return arg;
    }

    std::string_view pattern_;
    const FormatArgs& args_;
    const FormatSettings& settings_;
    size_t position_ = 0;
    size_t nextArgument_ = 0;
};

}  // namespace

std::string Format(std::string_view pattern, const FormatArgs& args,
                   const FormatSettings& settings)
{
    return Formatter(pattern, args, settings).Run();
}

}  // namespace ostrel
