#pragma once
// The path profile: the two antennas, the obstruction, the line of sight and
// the first Fresnel zone, with the clearance verdict at the obstruction.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "ui/plots/plot_figure.h"

#include <QString>

namespace tarsel {

enum class Clearance { Clear, Marginal, Obstructed, Undefined };

struct ProfileClearance {
    double clearance = 0.0;     // line of sight above the obstruction top [m], -knifeEdgeH
    double fresnelRadius = 0.0; // first Fresnel zone radius there [m], as the report gives it
    double percent = 0.0;       // clearance in per cent of that radius
    double losHeight = 0.0;     // line-of-sight height above the baseline at the obstruction [m]
    Clearance verdict = Clearance::Undefined;
};

// Clear: at least 60 % of the first Fresnel zone is free; Marginal: the line
// of sight is free (the top at most touches it) but less than 60 % is;
// Obstructed: the top stands above the line; Undefined: a degenerate path.
ProfileClearance profileClearance(const LinkParams& params, const LinkResults& results);

// "Clear", "Marginal", "Obstructed" or "Undefined".
QString clearanceWord(Clearance verdict);

// The verdict in words with the clearance in metres and per cent.
QString clearanceText(const ProfileClearance& clearance);

// The obstruction's outline for a path of length run: the part of its circle
// above the heights baseline, between the antennas, closed along the
// baseline; empty when none of it stands above the baseline.
QList<QPointF> hillOutline(const LinkParams& params, double run);

// A closed outline drawn filled like ground (the hill; a terrain's ground
// polyline closed along the baseline takes the same form).
PlotCurve groundCurve(const QString& name, QList<QPointF> outline);

// The profile drawn to scale with the given vertical exaggeration.
PlotFigure pathProfileFigure(const LinkParams& params, const LinkResults& results,
                             double exaggeration);

} // namespace tarsel
