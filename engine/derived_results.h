#pragma once
// Figures formed from a recalculation's results and the inputs: the report
// prints them and the result table carries them, both from these functions.

#include "engine/link_params.h"
#include "engine/link_results.h"

namespace tarsel {

// Radius of the first Fresnel zone at d1 from one end and d2 from the other,
// with range standing in for the path length [m].
double fresnelZoneRadius(double wavelength, double d1, double d2, double range);

// Radius of the first Fresnel zone at the obstruction, with the nominal range
// standing in for the path length, negated [m].
double fresnelZoneClearance(const LinkParams& p, const LinkResults& r);

// Thermal noise raised by the receiver noise figure [W].
double totalNoiseW(const LinkParams& p, const LinkResults& r);

// Receiving figure of merit: antenna gain over the system noise temperature,
// the receiver's noise figure referred to 290 K [dB/K].
double gOverT(const LinkParams& p);

// Free-space loss at the nominal range, whatever the range law [dB].
double pathLossAtRangeDb(const LinkParams& p, const LinkResults& r);

// Minimum receivable power over the noise density at the receiver input [dB-Hz].
double minRxPowerToNoiseDensity(const LinkParams& p, const LinkResults& r);

// 10 log10 of a power ratio, and back.
double dbFromRatio(double ratio);
double ratioFromDb(double db);

} // namespace tarsel
