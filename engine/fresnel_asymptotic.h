#pragma once
// Fresnel integrals for large arguments, where a fixed-step quadrature can no
// longer follow the oscillation of the integrand.

namespace tarsel {

struct FresnelPair {
    double c = 0.0; // integral of cos(pi t^2 / 2) from 0 to a
    double s = 0.0; // integral of sin(pi t^2 / 2) from 0 to a
};

// C(a) and S(a) for a > 16 by the asymptotic expansion of the auxiliary
// functions f and g; accurate to about 1e-15, constant in cost.
FresnelPair fresnelAsymptotic(double a);

} // namespace tarsel
