#include "ui/plots/path_profile.h"

#include "engine/derived_results.h"
#include "entry/number_format.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarsel {

namespace {

constexpr double ClearFraction = 0.6; // of the first Fresnel zone, for a clear path
constexpr int ZoneSteps = 200;        // points along each Fresnel zone edge
constexpr int CircleSteps = 72;       // points around the obstruction

// Four significant digits; a zero is never written "-0".
QString number(double value) {
    return QString::fromStdString(formatG(value + 0.0, 0, 4));
}

} // namespace

QList<QPointF> hillOutline(const LinkParams& params, double run) {
    // A circle of radius Rhill whose top is at the obstruction height, above
    // the obstruction's distance; the part above the baseline, between the
    // antennas, closed along the baseline. A circle that stands clear of the
    // baseline rests on it: its upper half on straight sides, so that a
    // small radius reads as a thin obstacle standing on the ground.
    const double radius = params.Rhill.value;
    const double top = params.y02s.value;
    const double centreX = params.X12s.value;
    const double centreY = top - radius;
    if (!(radius > 0.0) || !(top > 0.0) || !std::isfinite(centreY) || !(run > 0.0)) {
        return {};
    }
    const bool standing = centreY > 0.0;
    // Half the angle the arc spans, measured from the top.
    const double half =
        standing ? std::numbers::pi / 2 : std::acos(std::clamp(-centreY / radius, -1.0, 1.0));
    const auto at = [run](double x, double y) { return QPointF(std::clamp(x, 0.0, run), y); };
    QList<QPointF> outline;
    outline.reserve(CircleSteps + 4);
    if (standing) {
        outline.append(at(centreX - radius, 0.0));
    }
    for (int i = 0; i <= CircleSteps; ++i) {
        const double a = -half + 2 * half * i / CircleSteps;
        outline.append(
            at(centreX + radius * std::sin(a), std::max(0.0, centreY + radius * std::cos(a))));
    }
    if (standing) {
        outline.append(at(centreX + radius, 0.0));
    }
    outline.append(outline.front());
    return outline;
}

PlotCurve groundCurve(const QString& name, QList<QPointF> outline) {
    PlotCurve ground{name, std::move(outline), PlotColour::Ground, false, false, false};
    ground.filled = true;
    return ground;
}

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
    if (!std::isfinite(c.percent)) {
        // A height near the doubles' end: a percentage beyond them.
        return QStringLiteral("%1: clearance %2 m, the first Fresnel zone radius %3 m")
            .arg(clearanceWord(c.verdict), number(c.clearance), number(c.fresnelRadius));
    }
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
    // Both antennas at one point: any direction will do for the zone edges.
    const QPointF unit = length > 0.0 ? along / length : QPointF(1.0, 0.0);
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

    // The obstruction as ground: the part of its circle above the baseline.
    f.curves.push_back(groundCurve(QStringLiteral("Obstruction"), hillOutline(params, run)));
    f.curves.push_back(curve(QStringLiteral("Tx antenna"), {QPointF(0.0, 0.0), tx},
                             PlotColour::BluishGreen, true, false));
    f.curves.push_back(curve(QStringLiteral("Rx antenna"), {QPointF(run, 0.0), rx},
                             PlotColour::Orange, true, false));
    f.markers.push_back({QStringLiteral("Heights baseline"), 0.0, false, PlotColour::Foreground});
    return f;
}

} // namespace tarsel
