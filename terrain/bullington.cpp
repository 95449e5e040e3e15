// Bullington's construction with its empirical correction, in the units the
// method is written in: distances in km, heights in m, slopes in m/km.

#include "terrain/bullington.h"

#include "terrain/diffraction_methods.h"
#include "terrain/path_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsel::terrain {

namespace {

// Ground plus earth bulge at di km from the transmitter on a d km path [m]:
// hi + 500 Ce di (d - di), Ce = 1/ae the effective curvature [1/km].
double bulgedHeightM(double hi, double di, double d, double ce) {
    return hi + 500.0 * ce * di * (d - di);
}

} // namespace

double bullingtonLossDb(const BullingtonPath& path) {
    const std::span<const double> x = path.distanceM;
    const bool flat = path.heightM.empty();
    const std::size_t n = x.size();
    const double d = (x[n - 1] - x[0]) / 1000.0;           // path length [km]
    const double ce = 1000.0 / path.effectiveEarthRadiusM; // curvature [1/km]
    const double hts = path.txAmslM;
    const double hrs = path.rxAmslM;
    const double lambda = path.wavelengthM;
    const auto di = [&](std::size_t i) { return (x[i] - x[0]) / 1000.0; };
    const auto hi = [&](std::size_t i) { return flat ? 0.0 : path.heightM[i]; };

    // Largest slope from the transmitter to an intermediate point, and the
    // slope of the line of sight [m/km].
    double stim = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i + 1 < n; ++i) {
        stim = std::max(stim, (bulgedHeightM(hi(i), di(i), d, ce) - hts) / di(i));
    }
    const double str = (hrs - hts) / d;

    // Trans-horizon: the Bullington point where the steepest lines from the
    // two ends cross.
    double nu = -std::numeric_limits<double>::infinity();
    bool transHorizon = !(stim < str);
    if (transHorizon) {
        double srim = -std::numeric_limits<double>::infinity();
        for (std::size_t i = 1; i + 1 < n; ++i) {
            srim = std::max(srim, (bulgedHeightM(hi(i), di(i), d, ce) - hrs) / (d - di(i)));
        }
        const double dbp = (hrs - hts + srim * d) / (stim + srim);
        // A grazing path puts the crossing nowhere (0/0): take it as line of sight.
        transHorizon = dbp > 0.0 && dbp < d;
        if (transHorizon) {
            const double h = hts + stim * dbp - (hts * (d - dbp) + hrs * dbp) / d;
            nu = h * std::sqrt(0.002 * d / (lambda * dbp * (d - dbp)));
        }
    }
    // Line of sight: the intermediate point of largest nu.
    if (!transHorizon) {
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const double h =
                bulgedHeightM(hi(i), di(i), d, ce) - (hts * (d - di(i)) + hrs * di(i)) / d;
            nu = std::max(nu, h * std::sqrt(0.002 * d / (lambda * di(i) * (d - di(i)))));
        }
    }
    const double luc = knifeEdgeLossDb(nu);
    return luc + (1.0 - std::exp(-luc / 6.0)) * (10.0 + 0.02 * d);
}

double bullingtonLossDb(const Profile& profile, const PathInputs& in) {
    if (!pathInputsValid(profile, in)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double loss = bullingtonLossDb(
        BullingtonPath{profile.distanceM, profile.heightM, in.txHeightAmslM, in.rxHeightAmslM,
                       in.effectiveEarthRadiusM, wavelengthM(in.frequencyHz)});
    return std::isfinite(loss) ? loss : std::numeric_limits<double>::quiet_NaN();
}

} // namespace tarsel::terrain
