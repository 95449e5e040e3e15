#include "cli/param_assign.h"

#include "engine/param_table.h"
#include "entry/number_parse.h"

namespace tarsel {

namespace {

AssignOutcome fromEntry(const EntryOutcome& entry) {
    if (entry.stored) {
        return {};
    }
    return {AssignStatus::Rejected, entry.message, {}};
}

AssignOutcome assignDouble(LinkParams& params, int field, std::string_view value) {
    RangedValue* target = paramForField(params, field);
    const double oldX12 = params.X12s.value;
    const double oldX23 = params.X23s.value;
    const AssignOutcome outcome = fromEntry(ParseDoubleEntry(value, *target, target->value));
    if (outcome.status != AssignStatus::Stored) {
        return outcome;
    }
    if (field == FieldX12s || field == FieldX23s) {
        // A range beyond its bounds is refused like a typed one: no change.
        const EntryOutcome range = KeepDerivedRangeInBounds(params, oldX12, oldX23);
        if (!range.stored) {
            return fromEntry(range);
        }
    }
    coupleAcceptedField(params, field, oldX12, oldX23);
    return outcome;
}

AssignOutcome assignUnbounded(std::int32_t& target, std::string_view value) {
    const auto parsed = parseIntText(value);
    if (!parsed) {
        return {AssignStatus::Rejected, "Invalid number format: " + std::string(value), {}};
    }
    target = *parsed;
    return {};
}

AssignOutcome assignValue(LinkParams& params, const SettingsKey& entry, std::string_view value) {
    // The entry grammar reads blank text as 0; a script's "Pt=" is a mistake.
    if (value.find_first_not_of(' ') == std::string_view::npos) {
        return {AssignStatus::Rejected, "empty value", {}};
    }
    switch (entry.kind) {
    case KeyKind::Double:
        return assignDouble(params, entry.field, value);
    case KeyKind::ColumnWidth: {
        RangedInt bounded{params.XColWid.value, 10, 20};
        const AssignOutcome outcome =
            fromEntry(ParseIntEntry(value, bounded, params.XColWid.value));
        params.XColWid.value = bounded.value;
        return outcome;
    }
    case KeyKind::Int:
        break;
    }
    return assignUnbounded(*intSetting(params, entry.key), value);
}

} // namespace

AssignOutcome assignSetting(LinkParams& params, std::string_view assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string_view::npos) {
        return {AssignStatus::Malformed,
                "expected KEY=VALUE, got '" + std::string(assignment) + "'",
                {}};
    }
    const std::string_view key = assignment.substr(0, eq);
    const std::string_view value = assignment.substr(eq + 1);
    const SettingsKey* entry = findSettingsKey(key);
    if (entry == nullptr) {
        return {AssignStatus::UnknownKey, "unknown key '" + std::string(key) + "'", {}};
    }
    AssignOutcome outcome = assignValue(params, *entry, value);
    outcome.key = entry->key;
    return outcome;
}

} // namespace tarsel
