#pragma once
// One computed plot: the figure to draw and, for a plot made by sweeping an
// input, the sweep that made it (for "Save data") with the swept values and
// the results at each.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "sweep/sweep.h"
#include "ui/plots/plot_figure.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

class TerrainSweep;

struct PlotData {
    PlotFigure figure;
    SweepPlan plan;      // empty key: no sweep behind the plot
    LinkParams params;   // what the sweep started from
    std::string columns; // its table's columns, as --columns takes them ("": the defaults)
    std::vector<double> values;
    std::vector<LinkResults> results;
    bool cancelled = false;
    // A sweep over a terrain path computes each point itself, with its columns.
    std::shared_ptr<const TerrainSweep> terrainSweep;
};

// Points of the Range and Obstruction height plots.
inline constexpr int PlotPoints = 1000;

// Runs data.plan from params into data.values and data.results. A sweep
// cancelled through control sets data.cancelled; one its check refuses gives
// no points and its reason as the figure's note.
void sweepInput(const LinkParams& params, PlotData& data, SweepControl& control);

// Adds the current point (the value in force and the main window's results)
// to the ascending swept values where it belongs, unless present or outside
// them, so that a plot passes exactly through what the status pane shows.
void insertCurrent(PlotData& data, double value, const LinkResults& results);

// Gives write the sweep behind data (a plan with a key) as
// `tarsel-report --sweep` writes it with the same plan and columns: CSV, a
// piece at a time, as it is computed again. False once write refuses.
bool writeSweepCsv(const PlotData& data, const std::function<bool(std::string_view)>& write);

} // namespace tarsel
