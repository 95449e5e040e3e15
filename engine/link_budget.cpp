#include "engine/link_budget.h"

#include "engine/constants.h"
#include "engine/link_params.h"

#include <cmath>

namespace tarsel {

namespace {

// A range law this close to zero does not fall with range at all.
constexpr double ZeroLawThreshold = 2.220446049250313e-16;

// dB to power ratio.
double lin(double x) {
    return std::pow(10.0, x * 0.1);
}

} // namespace

LinkBudgetResult linkBudget(double fcent, double Pt, double Gt, double Gr, double Nf, double Bw,
                            double Mf, double extraLossDb, double Temp, double Sn, double Range,
                            double PropLaw, double Bl) {
    LinkBudgetResult r;
    const double lambda = SpeedOfLight / fcent; // [m]
    r.wavelength = lambda;

    const double snr = lin(Sn);
    const double mf = lin(Mf);
    const double bl = lin(Bl);
    const double ld = lin(extraLossDb);
    const double nf = lin(Nf);
    const double pt = lin(Pt); // transmit power [W]
    const double gt = lin(Gt);
    const double gr = lin(Gr);

    // Thermal noise k T B [W].
    const double N = Bw * Temp * Boltzmann;
    r.thermalNoiseW = N;
    // Minimum receivable signal: noise raised by noise figure and needed S/N [W].
    const double Pmin = N * nf * snr;
    r.minRxPowerW = Pmin;

    // Effective aperture of the receive antenna [m^2].
    const double Ae = gr * lambda * lambda * InvFourPi;
    r.minRxPowerDensity = Pmin / Ae;
    r.minRxField = std::sqrt(r.minRxPowerDensity * FreeSpaceImpedance);

    PathResult& p = r.path;
    // Range at which the received power falls to Pmin [m].
    if (PropLaw > ZeroLawThreshold || PropLaw < -ZeroLawThreshold) {
        p.maxRange = std::pow((gr * gt * pt) / (std::pow(FourPi / lambda, 2) * Pmin * ld * bl * mf),
                              1 / PropLaw);
    } else {
        p.maxRange = DblMax;
    }

    // Received power at the nominal range: free space at 1 m, then falling as
    // range to the power of the law [W].
    p.rxPowerW = (std::pow(lambda, 2) * gr * gt * pt) / (std::pow(FourPi, 2) * ld * bl * mf) /
                 std::pow(Range, PropLaw);
    p.marginDb = 10 * std::log10(p.rxPowerW / Pmin);
    p.rxPowerDensity = p.rxPowerW / Ae;
    p.rxField = std::sqrt(p.rxPowerDensity * FreeSpaceImpedance);
    return r;
}

} // namespace tarsel
