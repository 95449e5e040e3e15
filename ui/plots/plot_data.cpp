#include "ui/plots/plot_data.h"

#include "engine/param_table.h"
#include "engine/recalculate.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

int fieldOfKey(const std::string& key) {
    const auto& table = fieldTable();
    for (int i = 0; i < FieldCount; ++i) {
        if (table[static_cast<std::size_t>(i)].key == key) {
            return i;
        }
    }
    return -1;
}

LinkParams sweptParams(const LinkParams& params, int field, double value) {
    LinkParams p = params;
    if (RangedValue* input = paramForField(p, field)) {
        input->value = value;
        if (field == FieldRange) {
            rescaleDistancesToRange(p, params.X12s.value, params.X23s.value);
        } else if (field == FieldX12s || field == FieldX23s) {
            rangeFromDistances(p);
        }
    }
    return p;
}

std::vector<double> spacedValues(double from, double to, int n, bool log) {
    std::vector<double> values;
    if (n < 1) {
        return values;
    }
    values.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = n == 1 ? 0.0 : static_cast<double>(i) / (n - 1);
        // The ends exactly as given.
        values.push_back(i == 0       ? from
                         : i == n - 1 ? to
                         : log        ? from * std::pow(to / from, t)
                                      : from + (to - from) * t);
    }
    return values;
}

void insertCurrent(PlotData& data, double value, const LinkResults& results) {
    std::vector<double>& v = data.values;
    if (data.cancelled || v.empty() || !(value > v.front() && value < v.back())) {
        return;
    }
    const auto at = std::lower_bound(v.begin(), v.end(), value);
    if (*at != value) {
        data.results.insert(data.results.begin() + (at - v.begin()), results);
        v.insert(at, value);
    }
}

void sweepInput(const LinkParams& params, PlotData& data, const std::atomic<bool>& cancel) {
    const int field = fieldOfKey(data.sweptKey);
    data.results.clear();
    data.results.reserve(data.values.size());
    for (double value : data.values) {
        if (cancel.load(std::memory_order_relaxed)) {
            data.cancelled = true;
            return;
        }
        const LinkParams p = sweptParams(params, field, value);
        data.results.push_back(recalculate(p));
    }
}

} // namespace tarsel
