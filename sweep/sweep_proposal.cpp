#include "engine/param_table.h"
#include "sweep/sweep.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

SweepRange proposeSweepRange(int field, double value) {
    if (field < 0 || field >= FieldCount || !std::isfinite(value)) {
        return {};
    }
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
    const auto clamp = [&](double x) { return std::clamp(x, info.lo, info.hi); };
    switch (field) {
    case FieldFcent:
    case FieldBw:
    case FieldRange:
    case FieldX12s:
    case FieldX23s:
    case FieldRhill:
        // value / 10 stays above the lower bound of 0 (a logarithmic sweep
        // needs it above); value * 10 may pass the top.
        if (value / 10.0 > 0.0) {
            return {value / 10.0, clamp(value * 10.0), true};
        }
        return {0.0, clamp(info.defaultValue * 10.0), false};
    case FieldY01s:
    case FieldY02s:
    case FieldY03s: {
        const double span = std::max(10.0, std::abs(value));
        return {clamp(value - span), clamp(value + span), false};
    }
    case FieldTemp:
        return {clamp(value - 100.0), clamp(value + 100.0), false};
    case FieldPropLaw:
        return {clamp(value - 1.0), clamp(value + 1.0), false};
    default: // powers, gains, noise figure, margins, S/N, intercept, losses: dB
        return {clamp(value - 10.0), clamp(value + 10.0), false};
    }
}

} // namespace tarsel
