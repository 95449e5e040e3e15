#include "ui/plots/terrain_profile.h"

#include "entry/number_format.h"
#include "terrain/clearance.h"
#include "terrain/path_geometry.h"
#include "ui/plots/path_profile.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

constexpr int ZoneSteps = 400;       // points along each Fresnel zone edge
constexpr int BaseSteps = 200;       // segments of the filled ground's curved base
constexpr double BasePad = 0.15;     // the filled base below the lowest ground, of the span
constexpr double MinimumSpanM = 10.; // a flat profile still shows some ground

PlotCurve curve(const QString& name, QList<QPointF> points, PlotColour colour, bool strong,
                bool dashed) {
    PlotCurve c;
    c.name = name;
    c.points = std::move(points);
    c.colour = colour;
    c.strong = strong;
    c.dashed = dashed;
    c.shared = false;
    return c;
}

// The ground with its bulge, at most TerrainOutlinePoints points: the
// highest of each stretch, and always the two ends.
QList<QPointF> groundOutline(const terrain::Profile& profile, double radius) {
    const std::size_t n = profile.size();
    const double length = profile.lengthM();
    const auto at = [&](std::size_t i) {
        const double d = profile.distanceM[i];
        return QPointF(d, profile.heightM[i] + terrain::earthBulgeM(d, length - d, radius));
    };
    QList<QPointF> points;
    if (n <= TerrainOutlinePoints) {
        points.reserve(static_cast<qsizetype>(n));
        for (std::size_t i = 0; i < n; ++i) {
            points.append(at(i));
        }
        return points;
    }
    const std::size_t stretches = TerrainOutlinePoints - 2;
    points.reserve(static_cast<qsizetype>(TerrainOutlinePoints));
    points.append(at(0));
    for (std::size_t s = 0; s < stretches; ++s) {
        const std::size_t first = 1 + s * (n - 2) / stretches;
        const std::size_t last = 1 + (s + 1) * (n - 2) / stretches;
        QPointF highest = at(first);
        for (std::size_t i = first + 1; i < last; ++i) {
            const QPointF p = at(i);
            if (p.y() > highest.y()) {
                highest = p;
            }
        }
        points.append(highest);
    }
    points.append(at(n - 1));
    return points;
}

// The methods in the table's order, with their titles.
struct MethodRow {
    terrain::Method method;
    const char* title;
};
constexpr MethodRow MethodRows[] = {
    {terrain::Method::DeltaBullington, "Delta-Bullington"},
    {terrain::Method::Bullington, "Bullington"},
    {terrain::Method::Deygout, "Deygout (3 edges)"},
    {terrain::Method::EpsteinPeterson, "Epstein-Peterson"},
};
constexpr const char* MarginTitle = "Terrain margin";

QString decibels(double value) {
    return QString::fromStdString(formatG(value, 0, 4));
}

Clearance verdictOf(terrain::Verdict verdict) {
    switch (verdict) {
    case terrain::Verdict::Clear:
        return Clearance::Clear;
    case terrain::Verdict::Marginal:
        return Clearance::Marginal;
    case terrain::Verdict::Obstructed:
        break;
    }
    return Clearance::Obstructed;
}

} // namespace

std::vector<TerrainTableRow> terrainTableRows(const terrain::PathAnalysis& path) {
    std::vector<TerrainTableRow> rows;
    for (const MethodRow& row : MethodRows) {
        rows.push_back({QString::fromLatin1(row.title), decibels(path.losses.of(row.method)),
                        row.method == path.method});
    }
    rows.push_back({QString::fromLatin1(MarginTitle), decibels(path.terrain.marginDb), false});
    return rows;
}

QStringList terrainTableTitles() {
    QStringList titles;
    for (const MethodRow& row : MethodRows) {
        titles << QString::fromLatin1(row.title);
    }
    return titles << QString::fromLatin1(MarginTitle);
}

QString kFactorText(double k) {
    if (std::isinf(k)) {
        return QStringLiteral("inf");
    }
    if (k == 4.0 / 3.0) {
        return QStringLiteral("4/3");
    }
    if (k == 2.0 / 3.0) {
        return QStringLiteral("2/3");
    }
    return QString::fromStdString(formatShortest(k));
}

QString terrainVerdictText(const terrain::PathAnalysis& path) {
    const terrain::ClearancePoint& worst = path.clearance.worst;
    // Metres to the decimetre, the share in whole per cent; never "-0".
    const auto fixed = [](double value, int decimals) {
        return QString::number(value, 'f', decimals)
            .replace(QRegularExpression(QStringLiteral("^-(0\\.?0*)$")), QStringLiteral("\\1"));
    };
    return QStringLiteral("%1: worst clearance %2 m at %3 m, %4 % of the first Fresnel zone "
                          "radius (%5 m)")
        .arg(clearanceWord(verdictOf(path.clearance.verdict)), fixed(worst.clearanceM, 1),
             fixed(worst.distanceM, 0), fixed(100.0 * worst.fresnelFraction, 0),
             fixed(worst.fresnelRadiusM, 1));
}

PlotFigure terrainProfileFigure(const terrain::Profile& profile, const terrain::PathAnalysis& path,
                                double kFactor) {
    PlotFigure f;
    f.title = QStringLiteral("Path profile over the terrain (k = %1)").arg(kFactorText(kFactor));
    f.x = {QStringLiteral("Distance from Tx"), QStringLiteral("m"), false};
    f.y = {QStringLiteral("Height above sea level"), QStringLiteral("m"), false};
    f.note = terrainVerdictText(path);
    f.pathDrawing = true;
    if (profile.size() < terrain::MinProfilePoints) {
        return f;
    }

    const terrain::PathInputs& in = path.inputs;
    const double length = profile.lengthM();
    const double radius = in.effectiveEarthRadiusM;
    const double lambda = terrain::wavelengthM(in.frequencyHz);
    const QPointF tx(0.0, in.txHeightAmslM);
    const QPointF rx(length, in.rxHeightAmslM);

    // The ground, filled down to a base that follows the earth's curve.
    QList<QPointF> ground = groundOutline(profile, radius);
    const auto [low, high] = std::minmax_element(profile.heightM.begin(), profile.heightM.end());
    const double span = std::max({*high - *low, MinimumSpanM, std::abs(in.txHeightAmslM - *low),
                                  std::abs(in.rxHeightAmslM - *low)});
    const double base = *low - BasePad * span;
    // The base is a smooth curve: a few hundred points draw it as well as one
    // under every ground point, at a fraction of the drawing's cost.
    const double first = ground.front().x(), last = ground.back().x();
    const qsizetype steps = std::min<qsizetype>(BaseSteps, ground.size() - 1);
    for (qsizetype i = steps; i >= 0; --i) {
        const double d =
            first + (last - first) * static_cast<double>(i) / static_cast<double>(steps);
        ground.append(QPointF(d, base + terrain::earthBulgeM(d, length - d, radius)));
    }
    ground.append(ground.front());
    PlotCurve terrainCurve =
        curve(QStringLiteral("Terrain"), std::move(ground), PlotColour::BluishGreen, false, false);
    terrainCurve.filled = true;
    f.curves.push_back(std::move(terrainCurve));

    f.curves.push_back(
        curve(QStringLiteral("Line of sight"), {tx, rx}, PlotColour::Foreground, true, false));
    // Fresnel zone edges above and below the line of sight.
    const auto edge = [&](double fraction, double side) {
        QList<QPointF> points;
        points.reserve(ZoneSteps + 1);
        for (int i = 0; i <= ZoneSteps; ++i) {
            const double d = length * i / ZoneSteps;
            const double los = terrain::lineOfSightM(d, length, tx.y(), rx.y());
            const double r = terrain::firstFresnelRadiusM(d, length - d, lambda);
            points.append(QPointF(d, los + side * fraction * r));
        }
        return points;
    };
    f.curves.push_back(curve(QStringLiteral("First Fresnel zone"), edge(1.0, 1.0), PlotColour::Blue,
                             false, false));
    f.curves.push_back(curve(QStringLiteral("First Fresnel zone, lower"), edge(1.0, -1.0),
                             PlotColour::Blue, false, false));
    f.curves.push_back(curve(QStringLiteral("60 % of the zone"), edge(0.6, 1.0),
                             PlotColour::SkyBlue, false, true));
    f.curves.push_back(curve(QStringLiteral("60 % of the zone, lower"), edge(0.6, -1.0),
                             PlotColour::SkyBlue, false, true));

    f.curves.push_back(curve(QStringLiteral("Tx antenna"),
                             {QPointF(0.0, profile.heightM.front()), tx}, PlotColour::BluishGreen,
                             true, false));
    f.curves.push_back(curve(QStringLiteral("Rx antenna"),
                             {QPointF(length, profile.heightM.back()), rx}, PlotColour::Orange,
                             true, false));

    // The worst point: its clearance, from the ground to the line of sight.
    const terrain::ClearancePoint& worst = path.clearance.worst;
    f.curves.push_back(curve(QStringLiteral("Worst point"),
                             {QPointF(worst.distanceM, worst.groundM + worst.bulgeM),
                              QPointF(worst.distanceM, worst.lineOfSightM)},
                             PlotColour::Vermillion, true, false));
    // The main obstacle, the hill of the link's own figures.
    const terrain::MainObstacle& obstacle = path.obstacle;
    const double top = obstacle.heightAmslM + obstacle.bulgeM;
    const double los = terrain::lineOfSightM(obstacle.distanceM, length, tx.y(), rx.y());
    f.curves.push_back(curve(QStringLiteral("Main obstacle"),
                             {QPointF(obstacle.distanceM, std::min(top, los) - 0.05 * span),
                              QPointF(obstacle.distanceM, std::max(top, los) + 0.05 * span)},
                             PlotColour::Purple, true, true));
    return f;
}

} // namespace tarsel
