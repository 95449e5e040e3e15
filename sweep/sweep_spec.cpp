#include "engine/param_table.h"
#include "entry/number_parse.h"
#include "sweep/sweep.h"

#include <charconv>
#include <cmath>
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

// A typed entry of text into the field: the typing message when rejected.
SweepCheck checkTyped(int field, std::string_view text, SweepProblem which, double& value) {
    const std::string_view name = which == SweepProblem::From ? "FROM" : "TO";
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        return fail(which, std::string(name) + " is empty");
    }
    RangedValue box = boundsOf(field);
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

std::string shortest(double v) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

SweepCheck checkLog(const SweepSpec& spec) {
    if (spec.log && !((spec.from > 0.0 && spec.to > 0.0) || (spec.from < 0.0 && spec.to < 0.0))) {
        return fail(SweepProblem::LogRange,
                    "a logarithmic sweep needs FROM and TO both above 0 or both below 0; " +
                        shortest(spec.from) + ":" + shortest(spec.to) + " touches or crosses 0");
    }
    return {};
}

} // namespace

int sweepField(const SweepSpec& spec) {
    const SettingsKey* entry = findSettingsKey(spec.key);
    return entry != nullptr && entry->kind == KeyKind::Double ? entry->field : -1;
}

SweepCheck checkSweep(const SweepSpec& spec) {
    if (SweepCheck key = checkKey(spec.key); !key) {
        return key;
    }
    const int field = sweepField(spec);
    double value = 0.0;
    if (SweepCheck from = checkTyped(field, shortest(spec.from), SweepProblem::From, value);
        !from) {
        return from;
    }
    if (SweepCheck to = checkTyped(field, shortest(spec.to), SweepProblem::To, value); !to) {
        return to;
    }
    if (SweepCheck points = checkPoints(spec.points); !points) {
        return points;
    }
    return checkLog(spec);
}

SweepCheck checkSweepFrom(const LinkParams& base, const SweepSpec& spec) {
    SweepCheck check = checkSweep(spec);
    const int field = sweepField(spec);
    if (!check || (field != FieldX12s && field != FieldX23s)) {
        return check;
    }
    for (const SweepProblem end : {SweepProblem::From, SweepProblem::To}) {
        const double value = end == SweepProblem::From ? spec.from : spec.to;
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

SweepCheck parseSweepArgument(std::string_view text, bool log, SweepSpec& spec) {
    const auto eq = text.find('=');
    const auto colon1 = text.find(':', eq == std::string_view::npos ? 0 : eq + 1);
    const auto colon2 = colon1 == std::string_view::npos ? colon1 : text.find(':', colon1 + 1);
    if (eq == std::string_view::npos || colon2 == std::string_view::npos ||
        text.find(':', colon2 + 1) != std::string_view::npos) {
        return fail(SweepProblem::Malformed,
                    "expected KEY=FROM:TO:N, got '" + std::string(text) + "'");
    }
    SweepSpec parsed;
    parsed.log = log;
    parsed.key = std::string(text.substr(0, eq));
    if (SweepCheck key = checkKey(parsed.key); !key) {
        return key;
    }
    const int field = sweepField(parsed);
    if (SweepCheck from = checkTyped(field, text.substr(eq + 1, colon1 - eq - 1),
                                     SweepProblem::From, parsed.from);
        !from) {
        return from;
    }
    if (SweepCheck to = checkTyped(field, text.substr(colon1 + 1, colon2 - colon1 - 1),
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
        parsed.key = std::string(findSettingsKey(parsed.key)->key);
        spec = std::move(parsed);
    }
    return check;
}

double sweepValue(const SweepSpec& spec, std::int64_t index) {
    if (index <= 0) {
        return spec.from;
    }
    if (index >= spec.points - 1 || spec.from == spec.to) {
        return spec.to;
    }
    const double t = static_cast<double>(index) / static_cast<double>(spec.points - 1);
    if (!spec.log) {
        return std::lerp(spec.from, spec.to, t);
    }
    const double magnitude =
        std::exp(std::lerp(std::log(std::fabs(spec.from)), std::log(std::fabs(spec.to)), t));
    return spec.from < 0.0 ? -magnitude : magnitude;
}

void applySweepValue(LinkParams& params, int field, double value) {
    const double oldX12 = params.X12s.value;
    const double oldX23 = params.X23s.value;
    paramForField(params, field)->value = value;
    coupleAcceptedField(params, field, oldX12, oldX23);
}

} // namespace tarsel
