#include "engine/param_table.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "sweep/sweep.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace tarsel {

namespace {

SweepCheck fail(SweepProblem problem, std::string message) {
    return SweepCheck{problem, std::move(message)};
}

// The field's bounds as its box holds them.
RangedValue boundsOf(int field) {
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
    return RangedValue{info.defaultValue, info.lo, info.hi};
}

SweepCheck checkKey(std::string_view key) {
    const SettingsKey* entry = findSettingsKey(key);
    if (entry == nullptr) {
        return fail(SweepProblem::UnknownKey, std::string("unknown key '").append(key).append("'"));
    }
    if (entry->kind != KeyKind::Double) {
        return fail(SweepProblem::NotSweepable,
                    std::string("'")
                        .append(entry->key)
                        .append("' is not a numeric field and cannot be swept"));
    }
    return {};
}

const ExtraSweepKey* findExtra(std::string_view key, std::span<const ExtraSweepKey> extras) {
    for (const ExtraSweepKey& extra : extras) {
        if (sameKeyLetters(extra.key, key)) {
            return &extra;
        }
    }
    return nullptr;
}

// A typed entry of text into a box with bounds: the typing message when rejected.
SweepCheck checkTyped(RangedValue box, std::string_view text, SweepProblem which, double& value) {
    const std::string_view name = which == SweepProblem::From ? "FROM" : "TO";
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        return fail(which, std::string(name) + " is empty");
    }
    const EntryOutcome outcome = ParseDoubleEntry(text, box, box.value);
    if (!outcome.stored) {
        return fail(which, std::string(name) + ": " + outcome.message);
    }
    value = box.value;
    return {};
}

SweepCheck badPoints(std::string_view shown) {
    return fail(SweepProblem::Points,
                "N must be a whole number from " + std::to_string(MinSweepPoints) + " to " +
                    std::to_string(MaxSweepPoints) + ", got '" + std::string(shown) + "'");
}

SweepCheck checkPoints(std::int64_t points) {
    if (points < MinSweepPoints || points > MaxSweepPoints) {
        return badPoints(std::to_string(points));
    }
    return {};
}

SweepCheck checkLog(const SweepPlan& plan) {
    if (plan.log && !((plan.from > 0.0 && plan.to > 0.0) || (plan.from < 0.0 && plan.to < 0.0))) {
        return fail(SweepProblem::LogRange,
                    "a logarithmic sweep needs FROM and TO both above 0 or both below 0; " +
                        formatShortest(plan.from) + ":" + formatShortest(plan.to) +
                        " touches or crosses 0");
    }
    return {};
}

// x as odd integer times a power of two: x = mantissa * 2^exponent.
struct BinaryForm {
    std::uint64_t mantissa = 0; // odd, or 0 for x = 0
    int exponent = 0;
};

BinaryForm binaryForm(double x) {
    if (x == 0.0) {
        return {};
    }
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(x), &exponent); // [0.5, 1)
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int zeros = std::countr_zero(mantissa);
    return {mantissa >> zeros, exponent - 53 + zeros};
}

// Whether every from * (steps - i) + to * i, i = 0..steps, is a double
// exactly: both ends are whole multiples of one power of two, and their
// multiples up to steps times stay below 2^53 of it and below DblMax.
bool exactGrid(double from, double to, std::int64_t steps) {
    const BinaryForm a = binaryForm(from);
    const BinaryForm b = binaryForm(to);
    const int unit = std::min(a.mantissa != 0 ? a.exponent : b.exponent,
                              b.mantissa != 0 ? b.exponent : a.exponent);
    const auto width = [unit](const BinaryForm& form) {
        return form.mantissa == 0 ? 0 : std::bit_width(form.mantissa) + (form.exponent - unit);
    };
    const int stepsWidth = std::bit_width(static_cast<std::uint64_t>(steps));
    const double largest = std::max(std::fabs(from), std::fabs(to));
    return std::max(width(a), width(b)) + stepsWidth <= 53 &&
           largest <= DblMax / static_cast<double>(steps);
}

// Point index of steps equal steps from from to to. When the ends allow it,
// the weighted sum is exact and the division its only rounding, so a grid
// whose values are doubles gives them exactly (-40:20 in 6 steps: -30, -20,
// ..., not -30.000000000000004) and the points never step back. Otherwise
// (ends of many significant bits, or products beyond DblMax) a monotone lerp.
double gridPoint(double from, double to, std::int64_t index, std::int64_t steps) {
    if (!exactGrid(from, to, steps)) {
        return std::lerp(from, to, static_cast<double>(index) / static_cast<double>(steps));
    }
    const auto i = static_cast<double>(index);
    const auto n = static_cast<double>(steps);
    return (from * (n - i) + to * i) / n;
}

// 10^exponent; a whole exponent gives the double nearest the power of ten,
// as reading "1e23" does (pow may be one unit off there).
double powerOfTen(double exponent) {
    if (exponent == std::round(exponent) && std::fabs(exponent) <= 308) {
        char text[8] = "1e";
        const auto end =
            std::to_chars(text + 2, text + sizeof text, static_cast<int>(exponent)).ptr;
        double value = 0.0;
        std::from_chars(text, end, value);
        return value;
    }
    return std::pow(10.0, exponent);
}

} // namespace

int sweepField(const SweepPlan& plan) {
    const SettingsKey* entry = findSettingsKey(plan.key);
    return entry != nullptr && entry->kind == KeyKind::Double ? entry->field : -1;
}

SweepCheck checkSweep(const SweepPlan& plan) {
    if (SweepCheck key = checkKey(plan.key); !key) {
        return key;
    }
    const int field = sweepField(plan);
    double value = 0.0;
    if (SweepCheck from =
            checkTyped(boundsOf(field), formatShortest(plan.from), SweepProblem::From, value);
        !from) {
        return from;
    }
    if (SweepCheck to =
            checkTyped(boundsOf(field), formatShortest(plan.to), SweepProblem::To, value);
        !to) {
        return to;
    }
    if (SweepCheck points = checkPoints(plan.points); !points) {
        return points;
    }
    return checkLog(plan);
}

SweepCheck checkSweepFrom(const LinkParams& base, const SweepPlan& plan) {
    SweepCheck check = checkSweep(plan);
    const int field = sweepField(plan);
    if (!check || (field != FieldX12s && field != FieldX23s)) {
        return check;
    }
    for (const SweepProblem end : {SweepProblem::From, SweepProblem::To}) {
        const double value = end == SweepProblem::From ? plan.from : plan.to;
        const double x12 = field == FieldX12s ? value : base.X12s.value;
        const double x23 = field == FieldX23s ? value : base.X23s.value;
        const EntryOutcome range = CheckDerivedRange(x12, x23, base.Range);
        if (!range.stored) {
            return fail(end, std::string(end == SweepProblem::From ? "FROM" : "TO") +
                                 ": the range would be out of bounds: " + range.message);
        }
    }
    return check;
}

SweepCheck parseSweepArgument(std::string_view text, bool log, SweepPlan& plan,
                              std::span<const ExtraSweepKey> extras) {
    const auto eq = text.find('=');
    const auto colon1 = text.find(':', eq == std::string_view::npos ? 0 : eq + 1);
    const auto colon2 = colon1 == std::string_view::npos ? colon1 : text.find(':', colon1 + 1);
    if (eq == std::string_view::npos || colon2 == std::string_view::npos ||
        text.find(':', colon2 + 1) != std::string_view::npos) {
        return fail(SweepProblem::Malformed,
                    "expected KEY=FROM:TO:N, got '" + std::string(text) + "'");
    }
    SweepPlan parsed;
    parsed.log = log;
    parsed.key = std::string(text.substr(0, eq));
    const ExtraSweepKey* extra = findExtra(parsed.key, extras);
    if (extra == nullptr) {
        if (SweepCheck key = checkKey(parsed.key); !key) {
            return key;
        }
    }
    const RangedValue box = extra != nullptr ? RangedValue{extra->lo, extra->lo, extra->hi}
                                             : boundsOf(sweepField(parsed));
    if (SweepCheck from =
            checkTyped(box, text.substr(eq + 1, colon1 - eq - 1), SweepProblem::From, parsed.from);
        !from) {
        return from;
    }
    if (SweepCheck to = checkTyped(box, text.substr(colon1 + 1, colon2 - colon1 - 1),
                                   SweepProblem::To, parsed.to);
        !to) {
        return to;
    }
    const std::string_view count = text.substr(colon2 + 1);
    const auto [end, error] =
        std::from_chars(count.data(), count.data() + count.size(), parsed.points);
    if (error != std::errc{} || end != count.data() + count.size()) {
        return badPoints(count);
    }
    SweepCheck check = checkPoints(parsed.points);
    if (check) {
        check = checkLog(parsed);
    }
    if (check) {
        parsed.key = std::string(extra != nullptr ? extra->key : findSettingsKey(parsed.key)->key);
        plan = std::move(parsed);
    }
    return check;
}

double sweepValue(const SweepPlan& plan, std::int64_t index) {
    if (index <= 0) {
        return plan.from;
    }
    if (index >= plan.points - 1 || plan.from == plan.to) {
        return plan.to;
    }
    const std::int64_t steps = plan.points - 1;
    if (!plan.log) {
        return gridPoint(plan.from, plan.to, index, steps);
    }
    // Evenly spaced decimal exponents: a decade grid gives its powers of ten.
    const double low = std::min(std::fabs(plan.from), std::fabs(plan.to));
    const double high = std::max(std::fabs(plan.from), std::fabs(plan.to));
    const double exponent =
        gridPoint(std::log10(std::fabs(plan.from)), std::log10(std::fabs(plan.to)), index, steps);
    const double magnitude = std::clamp(powerOfTen(exponent), low, high);
    return plan.from < 0.0 ? -magnitude : magnitude;
}

void applySweepValue(LinkParams& params, int field, double value) {
    const double oldX12 = params.X12s.value;
    const double oldX23 = params.X23s.value;
    paramForField(params, field)->value = value;
    coupleAcceptedField(params, field, oldX12, oldX23);
}

} // namespace tarsel
