#include "ui/plots/link_plots.h"

#include "ui/plots/path_profile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsel {

namespace {

constexpr double RangeHeadroom = 1.25;  // distance axis beyond the farthest range
constexpr double LogSpan = 1000.0;      // log axis: from the end / 1000
constexpr double HeightSpan = 3.0;      // first Fresnel radii either side of the line
constexpr double FarthestDrawn = 1e240; // a maximum range beyond this is not on the axis

struct Case {
    const char* name;
    const PathResult LinkResults::*path;
    PlotColour colour;
};
constexpr Case Cases[3] = {
    {"No diffraction", &LinkResults::noDiffraction, PlotColour::Blue},
    {"Smooth hill", &LinkResults::smoothHill, PlotColour::Orange},
    {"Rough hill", &LinkResults::roughHill, PlotColour::BluishGreen},
};

double dbm(double watts) {
    return 10.0 * std::log10(watts) + 30.0;
}

// The curve of y(results) at each swept value.
template <class Y>
PlotCurve curveOf(const PlotData& data, const QString& name, PlotColour colour, Y y) {
    PlotCurve curve;
    curve.name = name;
    curve.colour = colour;
    curve.points.reserve(static_cast<qsizetype>(data.results.size()));
    for (std::size_t i = 0; i < data.results.size(); ++i) {
        curve.points.append(QPointF(data.values[i], y(data.results[i])));
    }
    return curve;
}

} // namespace

int caseInForce(const LinkParams& params) {
    if (params.bDiffract == 0) {
        return 0;
    }
    return params.nHillType != 0 ? 2 : 1;
}

PlotData rangePlot(const LinkParams& params, const LinkResults& results, RangeOptions options,
                   SweepControl& control) {
    // Maximum ranges beyond what a distance axis can hold (range law 0 gives
    // the largest double) are left off the axis and named in the note.
    double farthest = params.Range.value;
    bool unbounded = false;
    for (const Case& c : Cases) {
        const double range = (results.*c.path).maxRange;
        if (std::isfinite(range) && range <= FarthestDrawn) {
            farthest = std::max(farthest, range);
        } else if (!std::isnan(range)) {
            unbounded = true;
        }
    }
    const double end = farthest * RangeHeadroom;
    PlotData data;
    data.plan = {"Range", options.log ? end / LogSpan : end / PlotPoints, end, PlotPoints,
                 options.log};
    if (options.power) {
        data.columns = "minRxPowerW,noDiffraction.rxPowerW,smoothHill.rxPowerW,roughHill.rxPowerW";
    }
    sweepInput(params, data, control);
    insertCurrent(data, params.Range.value, results);
    if (data.cancelled) {
        return data;
    }

    PlotFigure& f = data.figure;
    if (unbounded && f.note.isEmpty()) {
        f.note = std::fabs(params.PropLaw.value) <= std::numeric_limits<double>::epsilon()
                     ? QStringLiteral("Maximum range unbounded with range law 0.")
                     : QStringLiteral("Maximum range too far to be drawn.");
    }
    f.x = {QStringLiteral("Distance"), QStringLiteral("m"), options.log};
    if (options.power) {
        f.title = QStringLiteral("Received power against distance");
        f.y = {QStringLiteral("Received power"), QStringLiteral("dBm"), false};
    } else {
        f.title = QStringLiteral("Margin against distance");
        f.y = {QStringLiteral("Margin at range"), QStringLiteral("dB"), false};
    }
    const int inForce = caseInForce(params);
    for (int i = 0; i < 3; ++i) {
        const PathResult LinkResults::*path = Cases[i].path;
        PlotCurve curve = curveOf(
            data, QString::fromLatin1(Cases[i].name), Cases[i].colour, [&](const LinkResults& r) {
                return options.power ? dbm((r.*path).rxPowerW) : (r.*path).marginDb;
            });
        curve.strong = i == inForce;
        f.curves.push_back(std::move(curve));
    }
    if (options.power) {
        f.markers.push_back({QStringLiteral("Minimum receivable power"), dbm(results.minRxPowerW),
                             false, PlotColour::Vermillion});
    } else {
        f.markers.push_back({QStringLiteral("0 dB"), 0.0, false, PlotColour::Foreground});
    }
    f.markers.push_back(
        {QStringLiteral("Nominal range"), params.Range.value, true, PlotColour::Foreground});
    for (const Case& c : Cases) {
        f.markers.push_back({QStringLiteral("Maximum range, %1").arg(QLatin1String(c.name)),
                             (results.*c.path).maxRange, true, c.colour});
    }
    return data;
}

PlotData heightPlot(const LinkParams& params, const LinkResults& results, SweepControl& control) {
    const ProfileClearance c = profileClearance(params, results);
    // Perpendicular clearance to height: the line's slope lengthens the step.
    const double run = params.X12s.value + params.X23s.value;
    const double rise = params.y03s.value - params.y01s.value;
    const double vertical = std::hypot(run, rise) / run;
    const double r = c.fresnelRadius * vertical;

    PlotData data;
    data.plan = {"y02s", c.losHeight - HeightSpan * r, c.losHeight + HeightSpan * r, PlotPoints,
                 false};
    data.columns = "knifeEdgeV,fresnelZoneClearance,knifeEdgeDb,smoothHillExcessDb,"
                   "roughHillExcessDb";
    sweepInput(params, data, control);
    insertCurrent(data, params.y02s.value, results);
    if (data.cancelled) {
        return data;
    }
    PlotFigure& f = data.figure;
    f.title = QStringLiteral("Diffraction loss against obstruction height");
    f.x = {QStringLiteral("Obstruction height"), QStringLiteral("m"), false};
    f.y = {QStringLiteral("Loss"), QStringLiteral("dB"), false};
    const int inForce = caseInForce(params);
    f.curves.push_back(curveOf(data, QStringLiteral("Knife edge"), PlotColour::Purple,
                               [](const LinkResults& x) { return -x.knifeEdgeDb; }));
    f.curves.push_back(
        curveOf(data, QStringLiteral("Smooth hill"), PlotColour::Orange,
                [](const LinkResults& x) { return -(x.knifeEdgeDb + x.smoothHillExcessDb); }));
    f.curves.push_back(
        curveOf(data, QStringLiteral("Rough hill"), PlotColour::BluishGreen,
                [](const LinkResults& x) { return -(x.knifeEdgeDb + x.roughHillExcessDb); }));
    if (inForce != 0) {
        f.curves[static_cast<std::size_t>(inForce)].strong = true;
    }
    f.markers.push_back(
        {QStringLiteral("Current height"), params.y02s.value, true, PlotColour::Foreground});
    f.markers.push_back(
        {QStringLiteral("0 % clearance"), c.losHeight, true, PlotColour::Vermillion});
    f.markers.push_back(
        {QStringLiteral("60 % clearance"), c.losHeight - 0.6 * r, true, PlotColour::SkyBlue});
    return data;
}

} // namespace tarsel
