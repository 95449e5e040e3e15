// The number parser against its grammar, checked by an independent reading:
// a table-free state machine of the grammar, the value from std::from_chars,
// the saturated integer from the digit count, the range check's bounds, and
// the six-digit entry text reading back to the value it shows.

#include "fuzz_check.h"

#include "engine/param_table.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using tarsel::EntryOutcome;
using tarsel::RangedInt;
using tarsel::RangedValue;

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isExponentMark(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

enum State { Lead, Sign, Int, Point, Frac, Exp, ExpSign, ExpDigits, Trail };

// Within a run of digits: another digit stays in it, a space ends the number,
// an exponent mark (when allowed) starts the exponent, written 'e'. False for
// anything else.
bool inDigits(char& c, State& state, bool exponentAllowed) {
    if (exponentAllowed && isExponentMark(c)) {
        state = Exp;
        c = 'e';
        return true;
    }
    if (c == ' ') {
        state = Trail;
        return true;
    }
    return isDigit(c);
}

// What the grammar accepts, as the text of the number in from_chars form
// ('e' exponent, no '+' sign); "" for all blanks (reads 0); nullopt if not a
// number.
std::optional<std::string> grammarNumber(std::string_view text, bool allowFraction) {
    State state = Lead;
    bool leadIsBlanksOnly = true;
    std::string number;
    for (char c : text) {
        switch (state) {
        case Lead:
            if (isSpace(c)) {
                leadIsBlanksOnly = leadIsBlanksOnly && c == ' ';
                continue;
            }
            if (c == '+' || c == '-') {
                state = Sign;
                break;
            }
            [[fallthrough]]; // a number without a sign
        case Sign:
            if (isDigit(c)) {
                state = Int;
            } else if (c == '.' && allowFraction) {
                state = Point;
                number += '0'; // ".5" -> "0.5"
            } else {
                return std::nullopt;
            }
            break;
        case Int:
            if (c == '.' && allowFraction) {
                state = Frac;
            } else if (!inDigits(c, state, allowFraction)) {
                return std::nullopt;
            }
            break;
        case Frac:
            if (!inDigits(c, state, true)) {
                return std::nullopt;
            }
            break;
        case Point: // a point with no digit before it needs one after it
        case ExpSign:
            if (!isDigit(c)) {
                return std::nullopt;
            }
            state = state == Point ? Frac : ExpDigits;
            break;
        case Exp:
            if (c == '+' || c == '-') {
                state = ExpSign;
            } else if (isDigit(c)) {
                state = ExpDigits;
            } else {
                return std::nullopt;
            }
            break;
        case ExpDigits:
            if (!inDigits(c, state, false)) {
                return std::nullopt;
            }
            break;
        case Trail:
            if (c != ' ') {
                return std::nullopt;
            }
            break;
        }
        if (state != Trail && c != '+') {
            number += c;
        }
    }
    switch (state) {
    case Lead:
        return leadIsBlanksOnly ? std::optional<std::string>("") : std::nullopt;
    case Int:
    case Frac:
    case ExpDigits:
    case Trail:
        return number;
    default:
        return std::nullopt;
    }
}

void checkDouble(std::string_view text) {
    const std::optional<double> parsed = tarsel::parseDoubleText(text);
    const std::optional<std::string> number = grammarNumber(text, true);
    FUZZ_CHECK(parsed.has_value() == number.has_value(), "double accepted against the grammar");
    if (!number) {
        return;
    }
    if (number->empty()) {
        FUZZ_CHECK(*parsed == 0.0, "blank text reads 0");
        return;
    }
    double expected = 0.0;
    const char* first = number->data();
    const char* last = first + number->size();
    const auto [end, error] = std::from_chars(first, last, expected);
    FUZZ_CHECK(end == last, "the grammar's number is whole for from_chars");
    const bool negative = number->front() == '-';
    if (error == std::errc::result_out_of_range) {
        // Beyond the doubles: an infinity, or zero (or a denormal) with its sign.
        FUZZ_CHECK(std::isinf(*parsed) || std::fabs(*parsed) < std::numeric_limits<double>::min(),
                   "out-of-range magnitude");
    } else {
        FUZZ_CHECK(error == std::errc(), "from_chars reads the grammar's number");
        FUZZ_CHECK(*parsed == expected, "double value");
    }
    FUZZ_CHECK(std::signbit(*parsed) == negative, "double sign");
}

void checkInt(std::string_view text) {
    const std::optional<std::int32_t> parsed = tarsel::parseIntText(text);
    const std::optional<std::string> number = grammarNumber(text, false);
    FUZZ_CHECK(parsed.has_value() == number.has_value(), "integer accepted against the grammar");
    if (!number) {
        return;
    }
    if (number->empty()) {
        FUZZ_CHECK(*parsed == 0, "blank text reads 0");
        return;
    }
    const bool negative = number->front() == '-';
    std::string_view digits(*number);
    digits.remove_prefix(negative ? 1 : 0);
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    std::int64_t expected = 0;
    if (digits.size() > 10) {
        expected = negative ? INT32_MIN : INT32_MAX;
    } else {
        std::from_chars(digits.data(), digits.data() + digits.size(), expected);
        expected = negative ? -expected : expected;
        expected = std::clamp<std::int64_t>(expected, INT32_MIN, INT32_MAX);
    }
    FUZZ_CHECK(*parsed == expected, "saturated integer value");
}

// Every field's bounds: a stored value lies within them, a refused one leaves
// the previous value and says why.
void checkEntries(std::string_view text) {
    const std::string_view shown = text.substr(0, text.find('\0'));
    const std::optional<double> parsed = tarsel::parseDoubleText(text);
    for (const tarsel::FieldInfo& info : tarsel::fieldTable()) {
        RangedValue target{info.defaultValue, info.lo, info.hi};
        const EntryOutcome outcome = tarsel::ParseDoubleEntry(text, target, -7.0);
        if (outcome.stored) {
            FUZZ_CHECK(parsed && target.value == *parsed, "stored value is the parsed one");
            FUZZ_CHECK(target.value >= info.lo && target.value <= info.hi, "stored within bounds");
        } else {
            FUZZ_CHECK(target.value == -7.0, "refused entry keeps the previous value");
            const std::string invalid = "Invalid number format: " + std::string(shown);
            FUZZ_CHECK(parsed ? outcome.message.starts_with("Number " + std::string(shown) +
                                                            " out of range:[")
                              : outcome.message == invalid,
                       "refusal message");
        }
    }
    RangedInt column{13, 10, 20};
    const EntryOutcome outcome = tarsel::ParseIntEntry(text, column, 13);
    FUZZ_CHECK(!outcome.stored || (column.value >= 10 && column.value <= 20), "integer bounds");
    FUZZ_CHECK(outcome.stored || column.value == 13, "refused integer keeps the previous value");
}

// The text an entry field shows reads back to within its six digits.
void checkEntryText(std::string_view text) {
    const std::optional<double> parsed = tarsel::parseDoubleText(text);
    if (!parsed || !std::isfinite(*parsed)) {
        return;
    }
    const std::string shown = tarsel::FormatDoubleEntry(*parsed);
    FUZZ_CHECK(shown.size() <= 19, "entry text fits its 19 characters");
    const std::optional<double> back = tarsel::parseDoubleText(shown);
    FUZZ_CHECK(back.has_value(), "entry text parses");
    const double tolerance = 5e-6 * std::fabs(*parsed) + std::numeric_limits<double>::denorm_min();
    FUZZ_CHECK(std::fabs(*back - *parsed) <= tolerance, "entry text within six digits");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkDouble(text.substr(0, text.find('\0')));
    checkInt(text.substr(0, text.find('\0')));
    checkEntries(text);
    checkEntryText(text);
    return 0;
}
