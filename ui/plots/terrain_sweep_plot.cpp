#include "ui/plots/terrain_sweep_plot.h"

#include "sweep/terrain_sweep.h"

#include <algorithm>

namespace tarsel {

namespace {

// The curves: a method's loss column, its name and a colour far from the others'.
const struct {
    const char* column;
    const char* name;
    PlotColour colour;
} MethodCurves[] = {
    {"terrain.deltaBullingtonDb", "Delta-Bullington", PlotColour::Blue},
    {"terrain.bullingtonDb", "Bullington", PlotColour::Orange},
    {"terrain.deygoutDb", "Deygout (3 edges)", PlotColour::BluishGreen},
    {"terrain.epsteinPetersonDb", "Epstein-Peterson", PlotColour::Purple},
};

// From and To as the command line takes them, so that the sweep's own check
// reads them and says what is wrong in its words.
std::string sweepArgument(const PlotSettings& s) {
    const auto number = [](double v) { return QString::number(v, 'g', 17).toStdString(); };
    return std::string(KFactorSweepKey) + '=' + number(s.sweepFrom) + ':' + number(s.sweepTo) +
           ':' + std::to_string(s.sweepPoints);
}

} // namespace

PlotData kFactorSweepPlot(const LinkParams& params, const PlotSettings& settings,
                          SweepControl& control, const TerrainPlot& terrain) {
    PlotData data;
    PlotFigure& f = data.figure;
    f.title = QStringLiteral("Diffraction loss against the k-factor");
    f.x = {QStringLiteral("k-factor of the effective earth"), QString(), settings.sweepLog};
    f.y = {QStringLiteral("Diffraction loss"), QStringLiteral("dB"), false};
    if (!terrain.profile) {
        f.note = QStringLiteral("The k-factor is swept over a terrain: load one from the Graphs "
                                "menu first.");
        return data;
    }
    SweepPlan plan;
    if (const SweepCheck check = parseSweepArgument(sweepArgument(settings), settings.sweepLog,
                                                    plan, TerrainSweep::keys());
        !check) {
        f.note = QString::fromStdString(check.message);
        return data;
    }
    for (const auto& m : MethodCurves) {
        if (!data.columns.empty()) {
            data.columns += ',';
        }
        data.columns += m.column;
    }
    std::vector<SweepColumn> columns;
    chooseSweepColumns(data.columns, SweepFormat::Csv, plan.key, columns, TerrainSweep::columns());
    auto sweep = std::make_shared<TerrainSweep>(terrain.profile, terrain.setup,
                                                terrain.analysis.obstacle.index);
    if (const std::string problem = sweep->prepare(plan, columns); !problem.empty()) {
        f.note = QString::fromStdString(problem);
        return data;
    }
    data.plan = plan;
    data.params = params;
    data.terrainSweep = sweep;

    for (const auto& m : MethodCurves) {
        PlotCurve curve;
        curve.name = QString::fromLatin1(m.name);
        curve.colour = m.colour;
        curve.points.reserve(static_cast<qsizetype>(plan.points));
        f.curves.push_back(std::move(curve));
    }
    SweepOptions options;
    options.control = &control;
    options.evaluate = [sweep](SweepPoint& point) { sweep->evaluate(point); };
    const SweepOutcome outcome = runSweep(
        params, plan,
        [&](const SweepPoint& point) {
            for (std::size_t i = 0; i < std::size(MethodCurves); ++i) {
                f.curves[i].points.append(
                    QPointF(point.value, point.extra[TerrainDeltaBullingtonDb + i]));
            }
            return true;
        },
        options);
    data.cancelled = outcome.end == SweepEnd::Cancelled || outcome.end == SweepEnd::Stopped;
    if (outcome.end == SweepEnd::Invalid) {
        f.note = QString::fromStdString(outcome.message);
    }
    // The k in use, where the path profile and the methods table stand.
    if (terrain.kFactor >= std::min(plan.from, plan.to) &&
        terrain.kFactor <= std::max(plan.from, plan.to)) {
        f.markers.push_back({QStringLiteral("k in use (%1)").arg(kFactorText(terrain.kFactor)),
                             terrain.kFactor, true, PlotColour::Foreground});
    }
    for (PlotCurve& curve : f.curves) {
        if (curve.points.size() > 1 && curve.points.front().x() > curve.points.back().x()) {
            std::reverse(curve.points.begin(), curve.points.end());
        }
    }
    return data;
}

} // namespace tarsel
