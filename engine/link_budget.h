#pragma once
// One evaluation of the radio link for a given extra path loss.

#include "engine/link_results.h"

namespace tarsel {

struct LinkBudgetResult {
    double wavelength = 0.0;        // [m]
    double thermalNoiseW = 0.0;     // N = k T B [W]
    double minRxPowerW = 0.0;       // Pmin [W]
    double minRxPowerDensity = 0.0; // [W/m^2]
    double minRxField = 0.0;        // [V/m]
    PathResult path;
};

LinkBudgetResult linkBudget(double fcent, double Pt, double Gt, double Gr, double Nf, double Bw,
                            double Mf, double extraLossDb, double Temp, double Sn, double Range,
                            double PropLaw, double Bl);

} // namespace tarsel
