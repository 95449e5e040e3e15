#pragma once
// The Range plot (margin or received power against distance for the three
// diffraction cases) and the Obstruction height plot (diffraction losses
// against the height of the obstruction top).

#include "ui/plots/plot_data.h"

namespace tarsel {

struct RangeOptions {
    bool log = false;   // logarithmic distance axis
    bool power = false; // received power [dBm] instead of the margin
};

// The case in force: 0 none, 1 smooth hill, 2 rough hill.
int caseInForce(const LinkParams& params);

// Distance sweep from near 0 to beyond the nominal range and the largest
// finite maximum range, then the figure.
PlotData rangePlot(const LinkParams& params, const LinkResults& results, RangeOptions options,
                   SweepControl& control);

// Obstruction height from the line of sight minus three first Fresnel zone
// radii to plus three, then the figure.
PlotData heightPlot(const LinkParams& params, const LinkResults& results, SweepControl& control);

} // namespace tarsel
