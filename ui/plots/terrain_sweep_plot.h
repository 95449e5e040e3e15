#pragma once
// The Sweep tab over a terrain: the effective earth's k-factor swept, each
// method's diffraction loss drawn against it, as tarsel-report --profile
// --sweep kFactor=... computes them.

#include "ui/plots/plot_data.h"
#include "ui/plots/plot_settings.h"
#include "ui/plots/terrain_profile.h"

namespace tarsel {

// The Sweep tab's input that is the k-factor (a terrain's, not a settings key).
inline constexpr const char* KFactorSweepKey = "kFactor";

// Sweeps the settings' From..To as k over the terrain; without one, or with
// values the sweep refuses, no curve and the reason as the note.
PlotData kFactorSweepPlot(const LinkParams& params, const PlotSettings& settings,
                          SweepControl& control, const TerrainPlot& terrain);

} // namespace tarsel
