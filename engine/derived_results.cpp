#include "engine/derived_results.h"

#include "engine/constants.h"

#include <cmath>

namespace tarsel {

namespace {

// Reference noise temperature of the figure of merit [K].
constexpr double ReferenceTemperatureK = 290.0;

} // namespace

double dbFromRatio(double ratio) {
    return 10.0 * std::log10(ratio);
}

double ratioFromDb(double db) {
    return std::pow(10.0, db * 0.1);
}

double fresnelZoneRadius(double wavelength, double d1, double d2, double range) {
    return std::sqrt(((wavelength * d2) * d1) / range);
}

double fresnelZoneClearance(const LinkParams& p, const LinkResults& r) {
    return -fresnelZoneRadius(r.wavelength, r.knifeEdgeD1, r.knifeEdgeD2, p.Range.value);
}

double totalNoiseW(const LinkParams& p, const LinkResults& r) {
    return r.thermalNoiseW * ratioFromDb(p.Nf.value);
}

double gOverT(const LinkParams& p) {
    return p.Gr.value - dbFromRatio(ReferenceTemperatureK * ratioFromDb(p.Nf.value));
}

double pathLossAtRangeDb(const LinkParams& p, const LinkResults& r) {
    return 20.0 * std::log10((p.Range.value * FourPi) / r.wavelength);
}

double minRxPowerToNoiseDensity(const LinkParams& p, const LinkResults& r) {
    return dbFromRatio((r.minRxPowerW * p.Bw.value) / (r.thermalNoiseW * ratioFromDb(p.Nf.value)));
}

} // namespace tarsel
