#include "engine/recalculate.h"

#include "engine/constants.h"
#include "engine/diffraction.h"
#include "engine/link_budget.h"

#include <cmath>

namespace tarsel {

namespace {

// Order factors of the 2nd, 3rd and 4th-order products; the last is the
// double nearest 1/1.333333, not 0.75.
constexpr double Order2 = 0.5;
constexpr double Order3 = 0.6666666666666666;
constexpr double Order4 = 0.7500001875000468;

// Blocking: slope and offset per order.
constexpr double BlockSlope2 = 1.5;
constexpr double BlockSlope3 = 1.25;
constexpr double BlockSlope4 = 1.1666666666666667;
constexpr double BlockOffset2 = 3;
constexpr double BlockOffset3 = 4.5;
constexpr double BlockOffset4 = 6;

// Noise floor + 3 dB as the minimum detectable signal.
constexpr double NoiseFloorMargin = 3;

LinkBudgetResult budget(const LinkParams& p, double extraLossDb) {
    return linkBudget(p.fcent.value, p.Pt.value, p.Gt.value, p.Gr.value, p.Nf.value, p.Bw.value,
                      p.Mf.value, extraLossDb, p.Temp.value, p.Sn.value, p.Range.value,
                      p.PropLaw.value, p.Bl.value);
}

} // namespace

LinkResults recalculate(const LinkParams& params) {
    LinkResults r;

    // Path profile: the Rx stands at the sum of the two distances, not at Range.
    const PathPoint tx{0.0, params.y01s.value};
    const PathPoint hill{params.X12s.value, params.y02s.value};
    const PathPoint rx{params.X12s.value + params.X23s.value, params.y03s.value};

    const ObstructionGeometry geo = obstructionGeometry(tx, rx, hill);
    r.knifeEdgeD1 = geo.knifeEdgeD1;
    r.knifeEdgeH = geo.knifeEdgeH;
    r.knifeEdgeD2 = geo.knifeEdgeD2;

    const DiffractionResult diff = diffractionLosses(
        geo.knifeEdgeH, params.fcent.value, geo.knifeEdgeD1, geo.knifeEdgeD2, params.Rhill.value);
    r.knifeEdgeDb = diff.knifeEdgeDb;
    r.diffractionAngle = diff.diffractionAngle;
    r.smoothHillExcessDb = diff.smoothHillExcessDb;
    r.roughHillExcessDb = diff.roughHillExcessDb;
    r.knifeEdgeV = diff.knifeEdgeV;

    // Extra path losses [dB]; negative when the line clears the top with gain.
    const double smoothLoss = -(diff.knifeEdgeDb + diff.smoothHillExcessDb);
    const double roughLoss = -(diff.knifeEdgeDb + diff.roughHillExcessDb);

    r.smoothHill = budget(params, smoothLoss).path;
    r.roughHill = budget(params, roughLoss).path;
    const LinkBudgetResult none = budget(params, 0);
    r.noDiffraction = none.path;
    r.minRxPowerW = none.minRxPowerW;
    r.minRxField = none.minRxField;
    r.minRxPowerDensity = none.minRxPowerDensity;
    r.wavelength = none.wavelength;
    r.thermalNoiseW = none.thermalNoiseW;

    // Levels of two signals giving a 1 uV product, from the intercept in dBuV.
    const double ipu = params.IpInt.value + DbuvOfOneMilliwatt;
    r.v2ipOneMicrovolt = ipu * Order2;
    r.v3ipOneMicrovolt = ipu * Order3;
    r.v4ipOneMicrovolt = ipu * Order4;

    // Intercept [dBm] over the minimum signal [dBW], as the figures are defined.
    const double minRxDb = 10 * std::log10(r.minRxPowerW);
    const double d = params.IpInt.value - minRxDb;
    r.v2ipMinRx = d * Order2;
    r.v3ipMinRx = d * Order3;
    r.v4ipMinRx = d * Order4;

    // Spurious-free dynamic range, MDS the minimum signal or noise floor + 3 dB.
    r.sfdrMinRxDb = (r.v3ipOneMicrovolt - minRxDb) * Order3;
    r.sfdrNoiseFloorDb =
        (r.v3ipOneMicrovolt - (minRxDb - params.Sn.value + NoiseFloorMargin)) * Order3;

    // Blocking levels (wanted signal changed by 3 dB) [dBuV].
    r.vb2 = r.v2ipOneMicrovolt * BlockSlope2 - BlockOffset2;
    r.vb3 = r.v3ipOneMicrovolt * BlockSlope3 - BlockOffset3;
    r.vb4 = r.v4ipOneMicrovolt * BlockSlope4 - BlockOffset4;
    return r;
}

} // namespace tarsel
