#include "base/Format.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ostrel {
namespace {

struct Case {
    const char* pattern;
    FormatArgs args;
    std::string expected;
};

void ExpectAll(const std::vector<Case>& cases, const FormatSettings& settings = {})
{
    for (const Case& c : cases) {
        EXPECT_EQ(Format(c.pattern, c.args, settings), c.expected) << "pattern: " << c.pattern;
    }
}

TEST(Format, IntegersAndDirectiveSyntax)
{
    const int64_t int64Min = std::numeric_limits<int64_t>::min();
    ExpectAll({
        {"a%%b %d.", {42}, "a%b 42."},
        {"%5d|%-5d|%.4d|%.3d", {-7, 7, -12, 12345}, "   -7|7    |-0012|12345"},
        {"%d %d", {int64Min, 5000000000LL}, "-9223372036854775808 5000000000"},
        {"%u %u %U", {-1, int64_t{-1}, 3u}, "4294967295 18446744073709551615 3"},
        {"%x %x %.4X %x", {-1, int64_t{-1}, 255, 0}, "FFFFFFFF FFFFFFFFFFFFFFFF 00FF 0"},
        {"%1:d %d %0:d %d", {1, 2, 3}, "2 3 1 2"},
        {"%*d|%-*d|%*d|%.*d", {4, 1, 3, 2, -3, 3, 3, 5}, "   1|2  |3  |005"},
        {"%*:d %:d", {2, 7, 8}, "8 2"},
        {"%d", {1, "surplus", 2.5}, "1"},
    });
}

TEST(Format, Floats)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ExpectAll({
        {"%f %.0f %.3f %f", {3.14159, 2.5, -1.0005, -0.001}, "3.14 3 -1.000 0.00"},
        {"%.2f %.1f %.2f", {0.125, 0.05, 2.675}, "0.13 0.1 2.67"},
        {"%f %.0f", {1e20, 999.5}, "100000000000000000000.00 1000"},
        {"%e|%.3e|%.1E|%e", {1234.5, -0.00012345, 9.96, 0.0},
         "1.23450000000000E+003|-1.23E-004|1E+001|0.00000000000000E+000"},
        {"%g %g %g %g %g", {0.5, 100.0, 1e14, 1e15, 0.00001},
         "0.5 100 100000000000000 1E+015 0.00001"},
        {"%g %.3g %g %G", {0.0000099, 1234.5, -0.1, 1.0 / 3},
         "9.9E-006 1.23E+003 -0.1 0.333333333333333"},
        {"%n %.0n %n", {1234567.891, -999999.5, 12.0}, "1,234,567.89 -1,000,000 12.00"},
        {"%f %e %g %n %m %6f", {nan, inf, -inf, nan, inf, nan}, "NAN INF -INF NAN INF    NAN"},
        {"%.30f", {0.5}, "0.500000000000000000"},
    });
    FormatSettings german;
    german.decimalSeparator = ',';
    german.thousandSeparator = '.';
    ExpectAll({{"%n %e %g", {1234.5, 1.5, 0.25}, "1.234,50 1,50000000000000E+000 0,25"}}, german);
    german.thousandSeparator = '\0';
    ExpectAll({{"%n", {1234567.0}, "1234567,00"}}, german);
}

TEST(Format, CurrencyLayouts)
{
    const char* negative[] = {"(EUR1.50)", "-EUR1.50", "EUR-1.50", "EUR1.50-", "(1.50EUR)",
                              "-1.50EUR",  "1.50-EUR", "1.50EUR-", "-1.50 EUR", "-EUR 1.50",
                              "1.50 EUR-", "EUR 1.50-", "EUR -1.50", "1.50- EUR", "(EUR 1.50)",
                              "(1.50 EUR)"};
    const char* positive[] = {"EUR1,234.50", "1,234.50EUR", "EUR 1,234.50", "1,234.50 EUR"};
    FormatSettings settings;
    settings.currencyString = "EUR";
    for (int i = 0; i < 16; ++i) {
        settings.negCurrFormat = i;
        EXPECT_EQ(Format("%m", {-1.5}, settings), negative[i]) << i;
    }
    for (int i = 0; i < 4; ++i) {
        settings.currencyFormat = i;
        EXPECT_EQ(Format("%m", {1234.5}, settings), positive[i]) << i;
    }
    settings.currencyFormat = 99;
    settings.negCurrFormat = -5;
    settings.currencyDecimals = 0;
    ExpectAll({{"%m %.1m %m", {-2.5, 7.0, -0.1}, "(EUR3) EUR7.0 EUR0"}}, settings);
}

TEST(Format, StringsAndPointers)
{
    const std::string withNul("a\0b", 3);
    const std::string pointerDigits(2 * sizeof(void*) - 2, '0');
    ExpectAll({
        {"[%s|%4s|%-4s|%.2s|%5.1s]", {"abc", "ab", 'c', "xyz", "xyz"}, "[abc|  ab|c   |xy|    x]"},
        {"%s", {withNul}, withNul},
        {"%p", {reinterpret_cast<const void*>(0xAB)}, pointerDigits + "AB"},
        {"%s", {static_cast<const char*>(nullptr)}, ""},
    });
    const std::string pattern("x\0%s", 4);
    EXPECT_EQ(Format(pattern, {"y"}), std::string("x\0y", 3));
    std::string longPattern;
    for (int i = 0; i < 10000; ++i) {
        longPattern += "%0:s-";
    }
    EXPECT_EQ(Format(longPattern, {"a"}).size(), 20000u);
}

TEST(Format, HostileTemplatesRaise)
{
    const FormatArgs args{1, int64_t{2}, 3.0, "s", static_cast<const void*>(nullptr)};
    const char* patterns[] = {"%",     "abc%",   "%5",     "%1:",  "%.",   "%-",    "%y",
                              "%5%",   "%99:s",  "%5:d",   "%s",   "%3:d",  "%2:d",
                              "%0:f",  "%4:s",   "%3:p",   "%2:x", "%3:u", "%3:*d", "%2:.*f",
                              "%2:*:d", "%d%d%d%d%d%d"};
    for (const char* pattern : patterns) {
        try {
            Format(pattern, args);
            ADD_FAILURE() << "no error for " << pattern;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), std::string("Format '") + pattern +
                                           "' invalid or incompatible with argument");
        }
    }
    const std::string withNul("%\0", 2);
    EXPECT_THROW(Format(withNul, args), EConvertError);
    EXPECT_THROW(Format("%d", {}), EConvertError);
}

TEST(Format, HugeFieldsAreClamped)
{
    const int64_t int64Min = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(Format("%999999999d", {1}).size(), 4096u);
    EXPECT_EQ(Format("%99999999999999999999999d", {1}).size(), 4096u);
    EXPECT_EQ(Format("%.999999999d", {-1}).size(), 4097u);
    EXPECT_EQ(Format("%*d", {int64Min, 1}), "1" + std::string(4095, ' '));
    EXPECT_EQ(Format("%.999999999f", {1.0}).size(), 20u);
    EXPECT_EQ(Format("%.*e", {1000000, 1.0}), "1.00000000000000000E+000");
    EXPECT_EQ(Format("%.*s|%-*s", {-1, "abc", int64_t{5}, "x"}), "abc|x    ");
}

}  // namespace
}  // namespace ostrel
