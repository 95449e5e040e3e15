#include "entry/number_format.h"
#include "tests/entry/comma_locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tarsel {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double DenormMin = std::numeric_limits<double>::denorm_min();
constexpr double DblMax = std::numeric_limits<double>::max();

// ---------------------------------------------------------------------------
// The edit-box text: "%-19.6g" with the trailing blanks cut.

struct EntryTextCase {
    double value;
    const char* expected;
};

// clang-format off
const EntryTextCase entryTextCases[] = {
    {2450000000.0, "2.45e+009"},    // documented example
    {1000000.0,    "1e+006"},       // documented example
    {1234567.0,    "1.23457e+006"}, // documented example
    {100.0,        "100"},          // documented example
    {0.05,         "0.05"},         // documented example
    {-273.15,      "-273.15"},      // documented example
    {1e12,         "1e+012"},       // documented example
    {1e100,        "1e+100"},       // three exponent digits already
    {DblMax,       "1.79769e+308"}, // largest double
    {DenormMin,    "4.94066e-324"}, // smallest denormal
    {1e-5,         "1e-005"},       // negative exponent widened
    {0.0001,       "0.0001"},       // exponent -4: last fixed form
    {0.000099999,  "9.9999e-005"},  // exponent -5: first exponent form
    {999999.0,     "999999"},       // exponent 5: last fixed form
    {999999.5,     "1e+006"},       // rounds up into exponent 6 (tie, odd -> even)
    {123456.5,     "123456"},       // exact tie rounds to even
    {123457.5,     "123458"},       // exact tie rounds to even
    {0.0,          "0"},            // zero
    {-0.0,         "-0"},           // negative zero keeps its sign
    {Inf,          "inf"},          // infinity
    {-Inf,         "-inf"},         // negative infinity
    {NaN,          "nan"},          // NaN
    {-NaN,         "nan"},          // NaN whatever its sign bit
};
// clang-format on

TEST(FormatDoubleEntry, WritesSixSignificantDigitsWithWideExponent) {
    for (const auto& c : entryTextCases) {
        EXPECT_EQ(FormatDoubleEntry(c.value), c.expected) << "value " << c.value;
    }
}

struct IntTextCase {
    std::int32_t value;
    const char* expected;
};

// clang-format off
const IntTextCase intTextCases[] = {
    {0,                                        "0"},           // zero
    {15,                                       "15"},          // column width default range
    {-300,                                     "-300"},        // negative
    {std::numeric_limits<std::int32_t>::max(), "2147483647"},  // largest
    {std::numeric_limits<std::int32_t>::min(), "-2147483648"}, // smallest
};
// clang-format on

TEST(FormatIntEntry, WritesDecimalWithoutBlanks) {
    for (const auto& c : intTextCases) {
        EXPECT_EQ(FormatIntEntry(c.value), c.expected) << "value " << c.value;
    }
}

// ---------------------------------------------------------------------------
// Width and alignment of every form the program uses.

struct FormCase {
    std::string actual;
    const char* expected;
};

TEST(NumberForms, PadToWidthAfterWideningTheExponent) {
    // clang-format off
    const FormCase cases[] = {
        {formatLeft19(1234567.0),                     "1.23457e+006       "},  // "%-19.6g"
        {formatLeft19(-273.15),                       "-273.15            "},  // "%-19.6g"
        {formatLeft19(-1.5e-100),                     "-1.5e-100          "},  // "%-19.6g"
        {formatRight10(1e12),                         "    1e+012"},           // "%10.6g"
        {formatRight10(-1.23456e-7),                  "-1.23456e-007"},        // "%10.6g" wider than the field
        {formatRight10(Inf),                          "       inf"},           // "%10.6g" infinity padded
        {formatRight10(-NaN),                         "       nan"},           // "%10.6g" NaN padded
        {formatLeft10(-273.15),                       "-273.15   "},           // "%-10.6g"
        {formatLeft10(-Inf),                          "-inf      "},           // "%-10.6g"
        {formatLeft10(2.45e9),                        "2.45e+009 "},           // "%-10.6g" one blank left
        {formatRight20(DblMax),                       "        1.79769e+308"}, // "%20.6g" documented bound
        {formatRight20(-300.0),                       "                -300"}, // "%20.6g"
        {formatRight20(NaN),                          "                 nan"}, // "%20.6g"
        {formatPlain(2.45e9),                         "2.45e+009"},            // "%g"
        {formatPlain(0.1 + 0.2),                      "0.3"},                  // "%g" rounds to six digits
        {formatPlain(-Inf),                           "-inf"},                 // "%g"
        {formatLeft19(std::int32_t{10}),              "10                 "},  // "%-19i"
        {formatLeft19(std::int32_t{-2147483647 - 1}), "-2147483648        "},  // "%-19i"
        {formatRight20(std::int32_t{20}),             "                  20"}, // "%20i" documented bound
        {formatRight20(std::int32_t{-300}),           "                -300"}, // "%20i"
        {formatG(1.5, -8, 6, false),                  "1.5     "},             // negative width: left-aligned
        {formatG(1.5, 0, 0, false),                   "2"},                    // precision 0 acts as 1
        {formatG(0.5, 0, 0, false),                   "0.5"},                  // precision 0 acts as 1
        {formatG(1234.5, 0, 1, false),                "1e+003"},               // one digit
        {formatG(1.5, 0, -1, false),                  "1.5"},                  // negative precision: default 6
        {formatInt(-42, 6, true),                     "-42   "},               // "%-6i"
        {formatInt(-42, 2, false),                    "-42"},                  // wider than the field
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

// ---------------------------------------------------------------------------
// Agreement with the C library's %g over a grid of values and precisions.

// snprintf in the "C" locale with its exponent widened to three digits.
std::string referenceG(double value, int precision) {
    char buffer[2048];
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    std::string text(buffer);
    const auto e = text.find('e');
    if (e != std::string::npos && text.size() - (e + 2) == 2)
        text.insert(e + 2, 1, '0');
    return text;
}

std::vector<double> gridValues() {
    std::vector<double> values = {0.0,      -0.0,      DenormMin, DblMax,   0.1, 0.5,
                                  1.5,      2.5,       0.125,     0.375,    9.5, 99.5,
                                  999999.5, 9999995.0, 0.00015,   1.0 / 3.0};
    const double mantissas[] = {1.0, 1.5, 2.45, 1.234565, 9.999995, 9.9999949, 5.0, 7.77777777};
    for (int exponent = -325; exponent <= 308; ++exponent) {
        for (double m : mantissas)
            values.push_back(m * std::pow(10.0, exponent));
    }
    std::mt19937_64 random(20240531);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        double v;
        static_assert(sizeof v == sizeof bits);
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v))
            values.push_back(v);
    }
    std::uniform_real_distribution<double> nearby(-1e7, 1e7);
    for (int i = 0; i < 20000; ++i)
        values.push_back(nearby(random));
    return values;
}

TEST(FormatG, MatchesCLibraryOverGrid) {
    const std::vector<double> values = gridValues();
    const int precisions[] = {0, 1, 2, 3, 6, 10, 15, 17, 20, 40};
    int failures = 0;
    for (double v : values) {
        for (int p : precisions) {
            for (double signed_v : {v, -v}) {
                const std::string expected = referenceG(signed_v, p);
                const std::string actual = formatG(signed_v, 0, p, false);
                if (actual != expected && ++failures <= 20) {
                    ADD_FAILURE() << "value " << signed_v << " precision " << p << ": got "
                                  << actual << ", expected " << expected;
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(FormatG, LongPrecisionWritesExactExpansion) {
    // 0.1 as stored, every digit; the denormal minimum with all its 751 digits.
    EXPECT_EQ(formatG(0.1, 0, 60, false), referenceG(0.1, 60));
    EXPECT_EQ(formatG(DenormMin, 0, 800, false), referenceG(DenormMin, 800));
    EXPECT_EQ(formatG(DblMax, 0, 400, false), referenceG(DblMax, 400));
}

TEST(FormatG, WidthMatchesCLibraryWhereExponentIsAlreadyWide) {
    // Where the C library writes no exponent or one of three digits, its
    // padded output is ours too.
    const char* forms[] = {"%-19.6g", "%10.6g", "%-10.6g", "%20.6g", "%g"};
    const int widths[] = {-19, 10, -10, 20, 0};
    int compared = 0;
    for (double v : gridValues()) {
        char plain[64];
        std::snprintf(plain, sizeof plain, "%g", v);
        const std::string text(plain);
        const auto e = text.find('e');
        if (e != std::string::npos && text.size() - (e + 2) < 3)
            continue;
        for (int i = 0; i < 5; ++i) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, forms[i], v);
            ASSERT_EQ(formatG(v, widths[i], 6, false), buffer) << forms[i] << " of " << v;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(FormatLeft19, IsAlwaysNineteenColumnsForFiniteValues) {
    for (double v : gridValues()) {
        ASSERT_EQ(formatLeft19(v).size(), 19u) << v;
        ASSERT_EQ(formatLeft19(-v).size(), 19u) << -v;
    }
}

TEST(FormatG, DoesNotFollowTheProcessLocale) {
    std::string fractional;
    std::string exponent;
    std::string locale;
    {
        const test::CommaLocale comma;
        if (!comma.active())
            GTEST_SKIP() << "no locale with a decimal comma installed";
        locale = comma.name();
        fractional = FormatDoubleEntry(-273.15);
        exponent = formatRight10(1.23457e-7);
    }
    EXPECT_EQ(fractional, "-273.15") << "under " << locale;
    EXPECT_EQ(exponent, "1.23457e-007") << "under " << locale;
}

// ---------------------------------------------------------------------------
// Trailing blanks.

struct TrimCase {
    std::string_view text;
    int expected;
};

using namespace std::string_view_literals;

// clang-format off
const TrimCase trimCases[] = {
    {"ab  "sv,    2}, // documented example
    {"   "sv,     0}, // documented example: blanks only
    {""sv,        0}, // documented example: empty
    {"ab\t"sv,    3}, // documented example: a tab is an ordinary character
    {" ab"sv,     3}, // leading blanks stay
    {"a b "sv,    3}, // inner blank stays
    {"ab\0 cd"sv, 2}, // the text ends at its terminator
    {"\0abc"sv,   0}, // terminator first: empty text
    {"ab \0"sv,   2}, // blanks before the terminator are cut
    {"x"sv,       1}, // single character
};
// clang-format on

TEST(TrimmedLength, CountsUpToTheLastNonBlank) {
    for (const auto& c : trimCases) {
        EXPECT_EQ(TrimmedLength(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(TrimTrailingBlanks, CutsInPlaceAndReturnsTheLength) {
    for (const auto& c : trimCases) {
        std::string text(c.text);
        EXPECT_EQ(TrimTrailingBlanks(text), c.expected) << '"' << c.text << '"';
        EXPECT_EQ(text, c.text.substr(0, static_cast<std::size_t>(c.expected)));
    }
}

} // namespace
} // namespace tarsel
