#include "ui/plots/plot_data.h"

#include "sweep/sweep_table.h"
#include "sweep/terrain_sweep.h"

#include <algorithm>

namespace tarsel {

void sweepInput(const LinkParams& params, PlotData& data, SweepControl& control) {
    data.params = params;
    data.values.clear();
    data.results.clear();
    if (data.plan.points > 0) {
        data.values.reserve(static_cast<std::size_t>(data.plan.points));
        data.results.reserve(static_cast<std::size_t>(data.plan.points));
    }
    SweepOptions options;
    options.control = &control;
    const SweepOutcome outcome = runSweep(
        params, data.plan,
        [&data](const SweepPoint& point) {
            data.values.push_back(point.value);
            data.results.push_back(point.results);
            return true;
        },
        options);
    data.cancelled = outcome.end == SweepEnd::Cancelled || outcome.end == SweepEnd::Stopped;
    if (outcome.end == SweepEnd::Invalid) {
        data.figure.note = QString::fromStdString(outcome.message);
    }
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

bool writeSweepCsv(const PlotData& data, const std::function<bool(std::string_view)>& write) {
    constexpr std::size_t PieceSize = 1 << 20;
    std::vector<SweepColumn> columns;
    SweepOptions options;
    if (data.terrainSweep) {
        chooseSweepColumns(data.columns, SweepFormat::Csv, data.plan.key, columns,
                           TerrainSweep::columns());
        options.evaluate = [sweep = data.terrainSweep](SweepPoint& point) {
            sweep->evaluate(point);
        };
    } else {
        chooseSweepColumns(data.columns, SweepFormat::Csv, data.plan.key, columns);
    }
    const SweepTable table(SweepFormat::Csv, std::move(columns));
    std::string piece;
    table.appendHeader(piece);
    bool ok = true;
    runSweep(
        data.params, data.plan,
        [&](const SweepPoint& point) {
            table.appendRow(point, piece);
            if (piece.size() >= PieceSize) {
                ok = write(piece);
                piece.clear();
            }
            return ok;
        },
        options);
    return ok && write(piece);
}

} // namespace tarsel
