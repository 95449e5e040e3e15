#pragma once
// Composite Simpson's rule for the Fresnel integrals C and S from 0 to a, for
// 0 <= a <= 16: n = 2 ceil(a / (2 step)) sub-intervals (at least 2) of width
// h = a / n, nodes i h, weights 1 4 2 4 ... 2 4 1, the sum times h / 3.

#include "engine/fresnel_asymptotic.h"

#include <cstdint>

namespace tarsel {

// Number of sub-intervals n for |x| = a and the widest step; 0 when no count
// of sub-intervals fits a 32-bit integer (a step too small for a).
std::int32_t simpsonIntervals(double a, float step);

// Both sums in one pass, with sin and cos evaluated only a few dozen times:
// each block of K nodes i = jK + k takes its phases theta i^2 as
// theta (jK)^2 + theta 2jK k + theta k^2, all three from exact seeds of the
// block, so no rounding error carries from one block to the next. Each result
// is multiplied by sign (+1 or -1) before the final 1/3. NaN when no count of
// sub-intervals fits.
FresnelPair fresnelSimpson(double a, float step, double sign);

// The same sum evaluated node by node with one sin or cos per node (kind 0:
// S, kind 1: C): the reference the fast sum is checked and timed against.
double fresnelSimpsonDirect(double a, int kind, float step, double sign);

} // namespace tarsel
