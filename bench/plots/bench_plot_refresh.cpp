// A refresh of each plot tab after a commit, as the plot window does it: the
// sweep, then the chart redrawn, offscreen. Every repetition is one refresh;
// the p95 line is the 95th percentile over the repetitions.
#include "../params_for_v.h"
#include "engine/recalculate.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/plot_window.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using tarsel::LinkParams;
using tarsel::PlotTab;

// Diffraction on, the obstruction at knife-edge parameter v.
LinkParams paramsForV(double v) {
    LinkParams p = tarsel::bench::paramsForV(v);
    p.bDiffract = 1;
    return p;
}

void refresh(benchmark::State& state, PlotTab tab, const LinkParams& params) {
    tarsel::PlotView view;
    view.resize(900, 560);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.show();
    tarsel::PlotSettings settings;
    settings.sweepPoints = 1000; // the Sweep tab at 1,000 points, as the other tabs draw
    tarsel::SweepControl never;
    for (auto _ : state) {
        // A commit gives new results; the open tab is swept and drawn again.
        const tarsel::LinkResults results = tarsel::recalculate(params);
        view.setFigure(tarsel::computePlot(tab, params, results, settings, never).figure);
        // The event loop's next pass lays the chart out and paints it, as in
        // the window.
        view.layOutNow();
    }
}

double p95(const std::vector<double>& v) {
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    return sorted[static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(sorted.size()))) -
                  1];
}

void registerAll() {
    const struct {
        const char* name;
        PlotTab tab;
        LinkParams params;
    } cases[] = {
        {"Range/defaults", PlotTab::Range, LinkParams{}},
        {"Range/v16", PlotTab::Range, paramsForV(-15.999999)},
        {"Height/defaults", PlotTab::Height, LinkParams{}},
        {"Height/v16", PlotTab::Height, paramsForV(-15.999999)},
        {"Profile/defaults", PlotTab::Profile, LinkParams{}},
        {"Sweep/defaults", PlotTab::Sweep, LinkParams{}},
        {"Sweep/v16", PlotTab::Sweep, paramsForV(-15.999999)},
    };
    for (const auto& c : cases) {
        benchmark::RegisterBenchmark((std::string("PlotRefresh/") + c.name).c_str(), refresh, c.tab,
                                     c.params)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(60)
            ->ComputeStatistics("p95", p95)
            ->ReportAggregatesOnly(true);
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
