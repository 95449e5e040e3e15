#pragma once
// Single-obstruction geometry and diffraction: Fresnel integrals, knife-edge
// figure and the excess loss of a rounded hill top.

#include "engine/fresnel_asymptotic.h"

namespace tarsel {

// A point of the path profile: distance from the Tx antenna and height above
// the heights baseline, both in metres.
struct PathPoint {
    double x = 0.0;
    double y = 0.0;
};

struct ObstructionGeometry {
    double knifeEdgeD1 = 0.0; // Tx to the foot of the perpendicular [m]
    double knifeEdgeH = 0.0;  // obstruction top above the Tx-Rx line [m]
    double knifeEdgeD2 = 0.0; // rest of the line beyond the foot [m]
};

struct DiffractionResult {
    double knifeEdgeV = 0.0;
    double knifeEdgeDb = 0.0;
    double diffractionAngle = 0.0; // [rad]
    double smoothHillExcessDb = 0.0;
    double roughHillExcessDb = 0.0;
};

// kind 0: sine integral S, kind 1: cosine integral C, anything else: 0.
enum FresnelKind : int { FresnelSine = 0, FresnelCosine = 1 };

// Integral from 0 to x of sin (kind 0) or cos (kind 1) of pi t^2 / 2.
double fresnelIntegral(double x, int kind, float step);

// Both integrals from 0 to x at once, C and S, at the cost of about one.
FresnelPair fresnelIntegrals(double x, float step);

ObstructionGeometry obstructionGeometry(PathPoint tx, PathPoint rx, PathPoint obstacle);

// h, d1, d2 from obstructionGeometry [m]; f the carrier frequency [Hz]; R the
// hill-top radius [m].
DiffractionResult diffractionLosses(double h, double f, double d1, double d2, double R);

// x [rad] * 360 * 1/(2 pi), multiplied in that order.
double radiansToDegrees(double x);

} // namespace tarsel
