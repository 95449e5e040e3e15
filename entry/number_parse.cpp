#include "entry/number_parse.h"

#include "entry/number_format.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace tarsel {

namespace {

// The text ends at its terminator, as in a C string.
std::string_view untilTerminator(std::string_view text) {
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// White space as the C library's isspace sees it in the "C" locale.
bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipSpace(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isCSpace(text[pos]))
        ++pos;
    return pos;
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// Everything from pos to the end is blanks (0x20); tabs and the like are not.
bool onlyBlanksFrom(std::string_view text, std::size_t pos) {
    return text.find_first_not_of(' ', pos) == std::string_view::npos;
}

// The "C" locale for the conversion, whatever the process locale is.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// Converts a number already known to match the grammar, with 'e' as its
// exponent letter. Out-of-range magnitudes give infinities or (denormal) zero.
double convertDecimal(const std::string& number) {
    const int savedErrno = errno;
    const double value = strtod_l(number.c_str(), nullptr, cLocale());
    errno = savedErrno;
    return value;
}

} // namespace

std::optional<double> parseDoubleText(std::string_view whole) {
    const std::string_view text = untilTerminator(whole);
    std::size_t pos = skipSpace(text, 0);
    const std::size_t start = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const std::size_t intEnd = skipDigits(text, pos);
    std::size_t end = intEnd;
    bool hasDigits = intEnd > pos;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fracEnd = skipDigits(text, end + 1);
        hasDigits = hasDigits || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!hasDigits) {
        // No number: nothing is consumed and the whole text must be blanks.
        if (onlyBlanksFrom(text, 0))
            return 0.0;
        return std::nullopt;
    }
    std::string number(text.substr(start, end - start));
    // The exponent counts only with at least one digit; else it is left unread.
    if (end < text.size() &&
        (text[end] == 'e' || text[end] == 'E' || text[end] == 'd' || text[end] == 'D')) {
        std::size_t expPos = end + 1;
        if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-'))
            ++expPos;
        const std::size_t expEnd = skipDigits(text, expPos);
        if (expEnd > expPos) {
            number += 'e';
            number += text.substr(end + 1, expEnd - end - 1);
            end = expEnd;
        }
    }
    if (!onlyBlanksFrom(text, end))
        return std::nullopt;
    return convertDecimal(number);
}

std::optional<std::int32_t> parseIntText(std::string_view whole) {
    constexpr std::int64_t Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t Min = std::numeric_limits<std::int32_t>::min();
    const std::string_view text = untilTerminator(whole);
    std::size_t pos = skipSpace(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t end = skipDigits(text, pos);
    if (end == pos) {
        // No number: nothing is consumed and the whole text must be blanks.
        if (onlyBlanksFrom(text, 0))
            return 0;
        return std::nullopt;
    }
    if (!onlyBlanksFrom(text, end))
        return std::nullopt;
    // Accumulate the magnitude, saturating just beyond the 32-bit range.
    std::int64_t magnitude = 0;
    for (std::size_t i = pos; i < end; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > Max + 1)
            magnitude = Max + 1;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > Max)
        return static_cast<std::int32_t>(Max);
    if (value < Min)
        return static_cast<std::int32_t>(Min);
    return static_cast<std::int32_t>(value);
}

namespace {

EntryOutcome invalidFormat(std::string_view text) {
    return EntryOutcome{false, "Invalid number format: " + std::string(untilTerminator(text))};
}

EntryOutcome outOfRange(std::string_view text, const std::string& lo, const std::string& hi) {
    return EntryOutcome{false, "Number " + std::string(untilTerminator(text)) + " out of range:[" +
                                   lo + "," + hi + "]"};
}

} // namespace

EntryOutcome ParseDoubleEntry(std::string_view text, RangedValue& target, double previous) {
    const std::optional<double> parsed = parseDoubleText(text);
    if (!parsed) {
        target.value = previous;
        return invalidFormat(text);
    }
    const double x = *parsed;
    if (!(x >= target.lo) || x > target.hi) {
        target.value = previous;
        return outOfRange(text, formatRight20(target.lo), formatRight20(target.hi));
    }
    target.value = x;
    return EntryOutcome{true, {}};
}

EntryOutcome ParseIntEntry(std::string_view text, RangedInt& target, std::int32_t previous) {
    const std::optional<std::int32_t> parsed = parseIntText(text);
    if (!parsed) {
        target.value = previous;
        return invalidFormat(text);
    }
    const std::int32_t x = *parsed;
    if (x > target.hi || x < target.lo) {
        target.value = previous;
        return outOfRange(text, formatRight20(target.lo), formatRight20(target.hi));
    }
    target.value = x;
    return EntryOutcome{true, {}};
}

EntryOutcome CheckDerivedRange(double x12, double x23, const RangedValue& range) {
    const double sum = x12 + x23;
    if (sum >= range.lo && sum <= range.hi) {
        return EntryOutcome{true, {}};
    }
    return outOfRange(formatG(sum), formatRight20(range.lo), formatRight20(range.hi));
}

EntryOutcome KeepDerivedRangeInBounds(LinkParams& params, double oldX12, double oldX23) {
    EntryOutcome range = CheckDerivedRange(params.X12s.value, params.X23s.value, params.Range);
    if (!range.stored) {
        params.X12s.value = oldX12;
        params.X23s.value = oldX23;
    }
    return range;
}

} // namespace tarsel
