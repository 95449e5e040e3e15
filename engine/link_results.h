#pragma once
// Everything one recalculation produces. All fields are 0 before the first one.

namespace tarsel {

// One evaluation of the link budget at the nominal range.
struct PathResult {
    double rxPowerW = 0.0;       // received power at Range [W]
    double rxPowerDensity = 0.0; // power density at Range [W/m^2]
    double rxField = 0.0;        // field strength at Range [V/m]
    double marginDb = 0.0;       // received power over the minimum [dB]
    double maxRange = 0.0;       // range at which the power falls to the minimum [m]
};

struct LinkResults {
    double knifeEdgeD1 = 0.0;        // [m]
    double knifeEdgeH = 0.0;         // [m], negative below the line
    double knifeEdgeD2 = 0.0;        // [m]
    double knifeEdgeV = 0.0;         // knife-edge parameter v
    double diffractionAngle = 0.0;   // [rad]
    double knifeEdgeDb = 0.0;        // knife-edge figure, negated loss [dB]
    double smoothHillExcessDb = 0.0; // [dB], negated
    double roughHillExcessDb = 0.0;  // [dB], negated
    double wavelength = 0.0;         // [m]
    double thermalNoiseW = 0.0;      // [W]
    double minRxPowerW = 0.0;        // [W]
    double minRxPowerDensity = 0.0;  // [W/m^2]
    double minRxField = 0.0;         // [V/m]
    PathResult noDiffraction;
    PathResult smoothHill;
    PathResult roughHill;
    double v2ipOneMicrovolt = 0.0; // [dBuV]
    double v3ipOneMicrovolt = 0.0; // [dBuV]
    double v4ipOneMicrovolt = 0.0; // [dBuV]
    double v2ipMinRx = 0.0;        // [dB]
    double v3ipMinRx = 0.0;        // [dB]
    double v4ipMinRx = 0.0;        // [dB]
    double vb2 = 0.0;              // [dBuV]
    double vb3 = 0.0;              // [dBuV]
    double vb4 = 0.0;              // [dBuV]
    double sfdrMinRxDb = 0.0;      // [dB]
    double sfdrNoiseFloorDb = 0.0; // [dB]
};

} // namespace tarsel
