#include "engine/param_table.h"
#include "entry/number_format.h"
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

SweepCheck checkLog(const SweepPlan& plan) {
    if (plan.log && !((plan.from > 0.0 && plan.to > 0.0) || (plan.from < 0.0 && plan.to < 0.0))) {
        return fail(SweepProblem::LogRange,
                    "a logarithmic sweep needs FROM and TO both above 0 or both below 0; " +
                        formatShortest(plan.from) + ":" + formatShortest(plan.to) +
                        " touches or crosses 0");
    }
    return {};
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
    if (SweepCheck from = checkTyped(field, formatShortest(plan.from), SweepProblem::From, value);
        !from) {
        return from;
    }
    if (SweepCheck to = checkTyped(field, formatShortest(plan.to), SweepProblem::To, value); !to) {
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

SweepCheck parseSweepArgument(std::string_view text, bool log, SweepPlan& plan) {
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
    const double t = static_cast<double>(index) / static_cast<double>(plan.points - 1);
    if (!plan.log) {
        return std::lerp(plan.from, plan.to, t);
    }
    const double magnitude =
        std::exp(std::lerp(std::log(std::fabs(plan.from)), std::log(std::fabs(plan.to)), t));
    return plan.from < 0.0 ? -magnitude : magnitude;
}

void applySweepValue(LinkParams& params, int field, double value) {
    const double oldX12 = params.X12s.value;
    const double oldX23 = params.X23s.value;
    paramForField(params, field)->value = value;
    coupleAcceptedField(params, field, oldX12, oldX23);
}

} // namespace tarsel
