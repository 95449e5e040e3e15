#include "entry/field_description.h"

#include "engine/param_table.h"
#include "entry/number_format.h"

namespace tarsel {

namespace {

std::string boundText(double bound) {
    if (bound == DblMax) {
        return "DBL_MAX";
    }
    if (bound == -DblMax) {
        return "-DBL_MAX";
    }
    return formatPlain(bound);
}

} // namespace

FieldDescription describeField(int field) {
    const FieldInfo& info = fieldTable().at(static_cast<std::size_t>(field));
    return {std::string(info.name()), std::string(info.meaning), std::string(info.unit),
            boundText(info.lo), boundText(info.hi)};
}

std::string fieldToolTip(int field) {
    const FieldDescription d = describeField(field);
    const std::string unit = d.unit.empty() ? "no unit" : "in " + d.unit;
    return d.name + ": " + d.meaning + ", " + unit + ", accepted from " + d.lowest + " to " +
           d.highest;
}

} // namespace tarsel
