#include "ui/plots/path_profile.h"

#include "engine/derived_results.h"
#include "entry/number_format.h"

#include <cmath>
#include <numbers>

namespace tarsel {

namespace {

constexpr double ClearFraction = 0.6; // of the first Fresnel zone, for a clear path
constexpr int ZoneSteps = 200;        // points along each Fresnel zone edge
constexpr int CircleSteps = 72;       // points around the obstruction

QString number(double value) {
    return QString::fromStdString(formatG(value, 0, 4));
}

} // namespace

ProfileClearance profileClearance(const LinkParams& params, const LinkResults& results) {
    ProfileClearance c;
    c.clearance = -results.knifeEdgeH;
    c.fresnelRadius = fresnelZoneRadius(results.wavelength, results.knifeEdgeD1,
                                        results.knifeEdgeD2, params.Range.value);
    c.percent = 100.0 * c.clearance / c.fresnelRadius;
    const double run = params.X12s.value + params.X23s.value;
    c.losHeight =
        params.y01s.value + (params.y03s.value - params.y01s.value) * (params.X12s.value / run);
    if (!std::isfinite(c.clearance) || !std::isfinite(c.fresnelRadius) ||
        !(c.fresnelRadius > 0.0)) {
        c.verdict = Clearance::Undefined;
    } else if (c.clearance >= ClearFraction * c.fresnelRadius) {
        c.verdict = Clearance::Clear;
    } else if (c.clearance >= 0.0) {
        c.verdict = Clearance::Marginal;
    } else {
        c.verdict = Clearance::Obstructed;
    }
    return c;
}

QString clearanceWord(Clearance verdict) {
    switch (verdict) {
    case Clearance::Clear:
        return QStringLiteral("Clear");
    case Clearance::Marginal:
        return QStringLiteral("Marginal");
    case Clearance::Obstructed:
        return QStringLiteral("Obstructed");
    case Clearance::Undefined:
        break;
    }
    return QStringLiteral("Undefined");
}

QString clearanceText(const ProfileClearance& c) {
    return QStringLiteral("%1: clearance %2 m, %3 % of the first Fresnel zone radius (%4 m)")
        .arg(clearanceWord(c.verdict), number(c.clearance), number(c.percent),
             number(c.fresnelRadius));
}

PlotFigure pathProfileFigure(const LinkParams& params, const LinkResults& results,
                             double exaggeration) {
    PlotFigure f;
    f.exaggeration = exaggeration;
    f.title = QStringLiteral("Path profile (vertical exaggeration x%1)").arg(number(exaggeration));
    f.x = {QStringLiteral("Distance from Tx"), QStringLiteral("m"), false};
    f.y = {QStringLiteral("Height above the baseline"), QStringLiteral("m"), false};
    const ProfileClearance c = profileClearance(params, results);
    f.note = clearanceText(c);

    const double run = params.X12s.value + params.X23s.value;
    const QPointF tx(0.0, params.y01s.value);
    const QPointF rx(run, params.y03s.value);
    const QPointF along = rx - tx;
    const double length = std::hypot(along.x(), along.y());
    const QPointF unit = along / length;
    const QPointF normal(-unit.y(), unit.x());

    // Fresnel zone edges perpendicular to the line of sight.
    auto edge = [&](double fraction, double side) {
        QList<QPointF> points;
        points.reserve(ZoneSteps + 1);
        for (int i = 0; i <= ZoneSteps; ++i) {
            const double s = length * i / ZoneSteps;
            const double r =
                fraction * fresnelZoneRadius(results.wavelength, s, length - s, params.Range.value);
            points.append(tx + unit * s + normal * (side * r));
        }
        return points;
    };
    auto curve = [](const QString& name, QList<QPointF> points, PlotColour colour, bool strong,
                    bool dashed) {
        PlotCurve pc{name, std::move(points), colour, strong, dashed, false};
        return pc;
    };
    f.curves.push_back(
        curve(QStringLiteral("Line of sight"), {tx, rx}, PlotColour::Foreground, true, false));
    f.curves.push_back(curve(QStringLiteral("First Fresnel zone"), edge(1.0, 1.0), PlotColour::Blue,
                             false, false));
    f.curves.push_back(curve(QStringLiteral("First Fresnel zone, lower"), edge(1.0, -1.0),
                             PlotColour::Blue, false, false));
    f.curves.push_back(curve(QStringLiteral("60 % of the zone"), edge(ClearFraction, 1.0),
                             PlotColour::SkyBlue, false, true));
    f.curves.push_back(curve(QStringLiteral("60 % of the zone, lower"), edge(ClearFraction, -1.0),
                             PlotColour::SkyBlue, false, true));

    // The obstruction: a circle of radius Rhill whose top is at its height.
    const double radius = params.Rhill.value;
    const QPointF centre(params.X12s.value, params.y02s.value - radius);
    QList<QPointF> circle;
    circle.reserve(CircleSteps + 1);
    for (int i = 0; i <= CircleSteps; ++i) {
        const double a = 2.0 * std::numbers::pi * i / CircleSteps;
        circle.append(centre + QPointF(radius * std::sin(a), radius * std::cos(a)));
    }
    f.curves.push_back(curve(QStringLiteral("Obstruction"), std::move(circle),
                             PlotColour::Vermillion, true, false));
    f.curves.push_back(curve(QStringLiteral("Tx antenna"), {QPointF(0.0, 0.0), tx},
                             PlotColour::BluishGreen, true, false));
    f.curves.push_back(curve(QStringLiteral("Rx antenna"), {QPointF(run, 0.0), rx},
                             PlotColour::Orange, true, false));
    f.markers.push_back({QStringLiteral("Heights baseline"), 0.0, false, PlotColour::Foreground});
    return f;
}

} // namespace tarsel
