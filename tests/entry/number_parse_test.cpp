#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "tests/entry/comma_locale.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tarsel {
namespace {

using namespace std::string_view_literals;

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double DenormMin = std::numeric_limits<double>::denorm_min();
constexpr double MaxDouble = std::numeric_limits<double>::max();
constexpr std::int32_t IntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t IntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::optional<double> Invalid = std::nullopt;

// ---------------------------------------------------------------------------
// The decimal grammar and the trailing-blank rule.

struct DoubleTextCase {
    std::string_view text;
    std::optional<double> expected;
};

// clang-format off
const DoubleTextCase doubleTextCases[] = {
    {"12 "sv,                     12.0},         // documented: trailing blanks
    {" 12"sv,                     12.0},         // documented: leading blanks
    {"\t\n\v\f\r 12"sv,           12.0},         // any leading white space is skipped
    {"12a"sv,                     Invalid},      // documented: a letter follows
    {"1,5"sv,                     Invalid},      // documented: a comma follows
    {"12 m"sv,                    Invalid},      // documented: a unit follows
    {"1.5e"sv,                    Invalid},      // documented: exponent without digits
    {"1.5e+"sv,                   Invalid},      // exponent sign without digits
    {"1.5e "sv,                   Invalid},      // unread exponent letter before a blank
    {"12\t"sv,                    Invalid},      // documented: trailing tab
    {"12 \t"sv,                   Invalid},      // a tab after blanks
    {"1 2"sv,                     Invalid},      // a second number
    {""sv,                        0.0},          // documented: empty reads 0
    {"    "sv,                    0.0},          // documented: blanks only read 0
    {"\t"sv,                      Invalid},      // nothing consumed, a tab is not a blank
    {" \t "sv,                    Invalid},      // nothing consumed, a tab inside
    {"1e3"sv,                     1000.0},       // documented: e exponent
    {"1d3"sv,                     1000.0},       // documented: d exponent
    {"1E3"sv,                     1000.0},       // E exponent
    {"1D-3"sv,                    0.001},        // D exponent with sign
    {"1e+03"sv,                   1000.0},       // exponent with sign and leading zero
    {"-2.5E-2  "sv,               -0.025},       // all parts, then blanks
    {"+7"sv,                      7.0},          // plus sign
    {"-0"sv,                      -0.0},         // negative zero
    {".5"sv,                      0.5},          // no integer digits
    {"5."sv,                      5.0},          // no fraction digits
    {"5.e2"sv,                    500.0},        // point then exponent
    {"."sv,                       Invalid},      // a point alone is no number
    {"-.e1"sv,                    Invalid},      // no digits at all
    {"+"sv,                       Invalid},      // a sign alone
    {"- 1"sv,                     Invalid},      // blank between sign and digits
    {"1.2.3"sv,                   Invalid},      // a second point
    {"1e3e4"sv,                   Invalid},      // a second exponent
    {"1ee3"sv,                    Invalid},      // a doubled exponent letter
    {"inf"sv,                     Invalid},      // no infinity form
    {"-infinity"sv,               Invalid},      // no infinity form
    {"nan"sv,                     Invalid},      // no NaN form
    {"0x10"sv,                    Invalid},      // no hexadecimal form
    {"0x1p3"sv,                   Invalid},      // no hexadecimal form
    {"0.1"sv,                     0.1},          // correctly rounded
    {"2450000000"sv,              2450000000.0}, // many digits
    {"2.45e+009"sv,               2450000000.0}, // the program's own exponent form
    {"1.79769e+308"sv,            1.79769e308},  // the largest six-digit text
    {"1.7976931348623157e308"sv,  MaxDouble},    // largest double
    {"1.7976931348623159e308"sv,  Inf},          // just beyond: infinity
    {"1e999"sv,                   Inf},          // documented: overflow gives infinity
    {"-1e999"sv,                  -Inf},         // overflow keeps the sign
    {"4.9406564584124654e-324"sv, DenormMin},    // smallest denormal
    {"2.4703282292062328e-324"sv, DenormMin},    // just above half of it rounds up
    {"2.4703282292062327e-324"sv, 0.0},          // just below half of it rounds to 0
    {"1e-400"sv,                  0.0},          // underflow gives zero
    {"12\0abc"sv,                 12.0},         // the text ends at its terminator
    {"\0 12"sv,                   0.0},          // terminator first: empty text
};
// clang-format on

TEST(ParseDoubleText, FollowsTheDecimalGrammar) {
    for (const auto& c : doubleTextCases) {
        const std::optional<double> actual = parseDoubleText(c.text);
        ASSERT_EQ(actual.has_value(), c.expected.has_value()) << '"' << c.text << '"';
        if (!actual)
            continue;
        EXPECT_EQ(*actual, *c.expected) << '"' << c.text << '"';
        EXPECT_EQ(std::signbit(*actual), std::signbit(*c.expected)) << '"' << c.text << '"';
    }
}

TEST(ParseDoubleText, ReadsManyDigitsExactly) {
    const std::string longText = "0." + std::string(500, '0') + "1e501";
    EXPECT_EQ(parseDoubleText(longText), 1.0);
    const std::string longInteger = "1" + std::string(400, '0');
    EXPECT_EQ(parseDoubleText(longInteger), Inf);
}

TEST(ParseDoubleText, DoesNotFollowTheProcessLocale) {
    std::optional<double> point;
    std::optional<double> comma;
    {
        const test::CommaLocale locale;
        if (!locale.active())
            GTEST_SKIP() << "no locale with a decimal comma installed";
        point = parseDoubleText("1.5");
        comma = parseDoubleText("1,5");
    }
    EXPECT_EQ(point, 1.5);
    EXPECT_EQ(comma, std::nullopt);
}

struct IntTextCase {
    std::string_view text;
    std::optional<std::int32_t> expected;
};

constexpr std::optional<std::int32_t> InvalidInt = std::nullopt;

// clang-format off
const IntTextCase intTextCases[] = {
    {"15"sv,                       15},         // plain
    {" 15 "sv,                     15},         // blanks around
    {"\t15"sv,                     15},         // leading white space is skipped
    {"15\t"sv,                     InvalidInt}, // trailing tab
    {"+15"sv,                      15},         // plus sign
    {"-15"sv,                      -15},        // minus sign
    {"007"sv,                      7},          // leading zeros
    {"12.7"sv,                     InvalidInt}, // documented: no point
    {"12."sv,                      InvalidInt}, // no point, even without fraction
    {"1e3"sv,                      InvalidInt}, // documented: no exponent
    {"0x10"sv,                     InvalidInt}, // base 10 only
    {""sv,                         0},          // empty reads 0
    {"   "sv,                      0},          // blanks only read 0
    {"\t"sv,                       InvalidInt}, // nothing consumed, a tab is not a blank
    {"-"sv,                        InvalidInt}, // a sign alone
    {"2147483647"sv,               IntMax},     // largest 32-bit value
    {"2147483648"sv,               IntMax},     // just beyond: clamped
    {"99999999999"sv,              IntMax},     // documented: far beyond, clamped
    {"-2147483648"sv,              IntMin},     // smallest 32-bit value
    {"-2147483649"sv,              IntMin},     // just beyond: clamped
    {"-99999999999999999999999"sv, IntMin},     // far beyond a 64-bit value too
};
// clang-format on

TEST(ParseIntText, FollowsBaseTenGrammar) {
    for (const auto& c : intTextCases) {
        EXPECT_EQ(parseIntText(c.text), c.expected) << '"' << c.text << '"';
    }
}

// ---------------------------------------------------------------------------
// The checked entry: what is stored and what the warning says.

struct DoubleEntryCase {
    std::string_view text;
    double lo;
    double hi;
    bool stored;
    double value; // the target afterwards; previous is 7 throughout
    const char* message;
};

constexpr double Previous = 7.0;
const double NaN = std::nan("");

// clang-format off
const DoubleEntryCase doubleEntryCases[] = {
    {"121"sv,                 -300,       120,       false, Previous, "Number 121 out of range:[                -300,                 120]"},                 // documented
    {"120"sv,                 -300,       120,       true,  120,      ""},                                                                                    // at the upper bound
    {"119.999"sv,             -300,       120,       true,  119.999,  ""},                                                                                    // just inside
    {"120.000000000000015"sv, -300,       120,       false, Previous, "Number 120.000000000000015 out of range:[                -300,                 120]"}, // next double above
    {"-300"sv,                -300,       120,       true,  -300,     ""},                                                                                    // at the lower bound
    {"-300.001"sv,            -300,       120,       false, Previous, "Number -300.001 out of range:[                -300,                 120]"},            // just outside
    {"12a"sv,                 -300,       120,       false, Previous, "Invalid number format: 12a"},                                                          // documented
    {" 12 m  "sv,             -300,       120,       false, Previous, "Invalid number format:  12 m  "},                                                      // quoted untrimmed
    {"  121 "sv,              -300,       120,       false, Previous, "Number   121  out of range:[                -300,                 120]"},              // quoted untrimmed
    {""sv,                    -300,       120,       true,  0,        ""},                                                                                    // documented: empty stores 0
    {"   "sv,                 1,          120,       false, Previous, "Number     out of range:[                   1,                 120]"},                 // blanks read 0, below 1
    {"1e999"sv,               0,          MaxDouble, false, Previous, "Number 1e999 out of range:[                   0,        1.79769e+308]"},               // documented
    {"-1e999"sv,              -MaxDouble, 0,         false, Previous, "Number -1e999 out of range:[       -1.79769e+308,                   0]"},              // negative overflow
    {"2.45e9"sv,              1e6,        1e12,      true,  2.45e9,   ""},                                                                                    // within exponent bounds
    {"1e13"sv,                1e6,        1e12,      false, Previous, "Number 1e13 out of range:[              1e+006,              1e+012]"},                // bounds widened
    {"-0"sv,                  0,          10,        true,  -0.0,     ""},                                                                                    // -0 is not below 0
    {"5"sv,                   NaN,        10,        false, Previous, "Number 5 out of range:[                 nan,                  10]"},                   // nothing is >= a NaN lower bound
};
// clang-format on

TEST(ParseDoubleEntry, StoresOrRejectsWithTheExactMessage) {
    for (const auto& c : doubleEntryCases) {
        RangedValue target{-1.0, c.lo, c.hi};
        const EntryOutcome outcome = ParseDoubleEntry(c.text, target, Previous);
        EXPECT_EQ(outcome.stored, c.stored) << '"' << c.text << '"';
        EXPECT_EQ(outcome.message, c.message) << '"' << c.text << '"';
        EXPECT_EQ(target.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(std::signbit(target.value), std::signbit(c.value)) << '"' << c.text << '"';
        EXPECT_EQ(std::bit_cast<std::uint64_t>(target.lo), std::bit_cast<std::uint64_t>(c.lo))
            << "bounds stay";
        EXPECT_EQ(std::bit_cast<std::uint64_t>(target.hi), std::bit_cast<std::uint64_t>(c.hi))
            << "bounds stay";
    }
}

struct IntEntryCase {
    std::string_view text;
    std::int32_t lo;
    std::int32_t hi;
    bool stored;
    std::int32_t value; // the target afterwards; previous is 15 throughout
    const char* message;
};

constexpr std::int32_t PreviousInt = 15;

// clang-format off
const IntEntryCase intEntryCases[] = {
    {"25"sv,          10,     20,     false, PreviousInt, "Number 25 out of range:[                  10,                  20]"},          // documented
    {"20"sv,          10,     20,     true,  20,          ""},                                                                            // at the upper bound
    {"21"sv,          10,     20,     false, PreviousInt, "Number 21 out of range:[                  10,                  20]"},          // just outside
    {"10"sv,          10,     20,     true,  10,          ""},                                                                            // at the lower bound
    {"11"sv,          10,     20,     true,  11,          ""},                                                                            // just inside
    {"9"sv,           10,     20,     false, PreviousInt, "Number 9 out of range:[                  10,                  20]"},           // just outside
    {"99999999999"sv, 10,     20,     false, PreviousInt, "Number 99999999999 out of range:[                  10,                  20]"}, // documented
    {"12.7"sv,        10,     20,     false, PreviousInt, "Invalid number format: 12.7"},                                                 // documented
    {"1e3"sv,         10,     20,     false, PreviousInt, "Invalid number format: 1e3"},                                                  // documented
    {" 12 "sv,        10,     20,     true,  12,          ""},                                                                            // blanks around
    {""sv,            0,      20,     true,  0,           ""},                                                                            // empty reads 0
    {"-2147483648"sv, IntMin, IntMax, true,  IntMin,      ""},                                                                            // full range
};
// clang-format on

TEST(ParseIntEntry, StoresOrRejectsWithTheExactMessage) {
    for (const auto& c : intEntryCases) {
        RangedInt target{-1, c.lo, c.hi};
        const EntryOutcome outcome = ParseIntEntry(c.text, target, PreviousInt);
        EXPECT_EQ(outcome.stored, c.stored) << '"' << c.text << '"';
        EXPECT_EQ(outcome.message, c.message) << '"' << c.text << '"';
        EXPECT_EQ(target.value, c.value) << '"' << c.text << '"';
    }
}

TEST(ParseDoubleEntry, ValueOutsideItsBoundsIsRejectedOnNextCheck) {
    // A range derived from two distances may exceed its bound; the previous
    // value a caller passes is then stored as it is.
    RangedValue range{5e7, 1, 1e7};
    const EntryOutcome outcome = ParseDoubleEntry("2e7", range, range.value);
    EXPECT_FALSE(outcome.stored);
    EXPECT_EQ(range.value, 5e7);
}

TEST(ParseDoubleText, ReadsBackEveryShownValueToTheSameText) {
    // A value shown in an edit box and committed again keeps its six digits.
    const double values[] = {2.45e9,    -273.15, 1e-5, 1.23456789e-300, 9.999995e307,
                             DenormMin, 0.0,     -0.0, 123456.5,        1.7976931348623157e308};
    for (double v : values) {
        const std::string shown = FormatDoubleEntry(v);
        const std::optional<double> read = parseDoubleText(shown);
        ASSERT_TRUE(read.has_value()) << shown;
        EXPECT_EQ(FormatDoubleEntry(*read), shown);
    }
}

} // namespace
} // namespace tarsel
