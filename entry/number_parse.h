#pragma once
// Parsing and range checking of typed or stored numbers. Composes the warning
// text; showing it (beep, then a modal box) is the caller's business.

#include "engine/link_params.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// strtod-like grammar: leading white space, optional sign, digits with an
// optional point, optional exponent with e, E, d or D. Only blanks (0x20) may
// follow. Empty or all-blank text reads 0. Overflow gives an infinity.
// Returns nullopt when the text is not a number.
std::optional<double> parseDoubleText(std::string_view text);

// strtol-like base 10; overflow gives the 32-bit limits.
std::optional<std::int32_t> parseIntText(std::string_view text);

// Outcome of a checked entry: stored says whether the parsed value went into
// the target; otherwise message holds the exact warning text and the target
// holds previous.
struct EntryOutcome {
    bool stored = false;
    std::string message;
};

// "Invalid number format: %s" or "Number %s out of range:[%s,%s]" with the
// bounds in "%20.6g".
EntryOutcome ParseDoubleEntry(std::string_view text, RangedValue& target, double previous);
// Same for integers, bounds in "%20i".
EntryOutcome ParseIntEntry(std::string_view text, RangedInt& target, std::int32_t previous);

// The range that the distances x12 and x23 add up to, checked against the
// bounds of range without storing it: a sum outside them (two huge distances
// overflow to inf) gives the range message naming the sum ("%g"), as if it
// had been typed into the range.
EntryOutcome CheckDerivedRange(double x12, double x23, const RangedValue& range);

// The distances of params have just been stored over oldX12 and oldX23: the
// range they make is checked as above and, when it is refused, both distances
// go back to what they were.
EntryOutcome KeepDerivedRangeInBounds(LinkParams& params, double oldX12, double oldX23);

} // namespace tarsel
