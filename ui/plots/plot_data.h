#pragma once
// One computed plot: the figure to draw and, for a plot made by sweeping an
// input, the swept values with the results at each, for "Save data".

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "ui/plots/plot_figure.h"

#include <atomic>
#include <string>
#include <vector>

namespace tarsel {

struct PlotData {
    PlotFigure figure;
    std::string sweptKey; // settings key of the swept input; empty for no sweep
    std::vector<double> values;
    std::vector<LinkResults> results;
    bool cancelled = false;
};

// Points of the Range and Obstruction height plots.
inline constexpr int PlotPoints = 1000;

// The field of a settings key (exact spelling), or -1.
int fieldOfKey(const std::string& key);

// params with field set to value as a typed entry sets it: a range rescales
// both distances, a distance makes the range their sum.
LinkParams sweptParams(const LinkParams& params, int field, double value);

// The results with the input of settings key `key` set to each value in turn,
// coupled as typing couples it (a range rescales both distances, a distance
// makes the range their sum). Stops early, with cancelled set, when cancel
// becomes true.
void sweepInput(const LinkParams& params, PlotData& data, const std::atomic<bool>& cancel);

// Adds the current point (the value in force and the main window's results)
// to the ascending swept values where it belongs, unless present or outside
// them, so that a plot passes exactly through what the status pane shows.
void insertCurrent(PlotData& data, double value, const LinkResults& results);

// n values from `from` to `to`, evenly or (log) in equal ratios.
std::vector<double> spacedValues(double from, double to, int n, bool log);

} // namespace tarsel
