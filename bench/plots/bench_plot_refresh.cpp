// A refresh of each plot tab after a commit, as the plot window does it: the
// sweep, then the chart redrawn, offscreen. Every repetition is one refresh
// of one view kept for the case, as the window keeps its tabs, and each
// commit changes the frequency a little, so that every figure is new; the
// p95 line is the 95th percentile over the repetitions.
#include "../params_for_v.h"
#include "engine/recalculate.h"
#include "ridge_profile.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/plot_window.h"
#include "ui/plots/terrain_profile.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
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

// The views of every case, made on first use and kept until the end.
std::vector<std::unique_ptr<tarsel::PlotView>> views;

tarsel::PlotView* newView() {
    views.push_back(std::make_unique<tarsel::PlotView>());
    tarsel::PlotView* view = views.back().get();
    view->resize(900, 560);
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->show();
    return view;
}

// The frequency of the n-th commit: two values in turn, 1 % apart.
LinkParams committed(LinkParams params, int n) {
    params.fcent.value *= n % 2 == 0 ? 1.0 : 1.01;
    return params;
}

void refresh(benchmark::State& state, PlotTab tab, const LinkParams& params,
             tarsel::PlotView** view, int* commits) {
    tarsel::PlotSettings settings;
    settings.sweepPoints = 1000; // the Sweep tab at 1,000 points, as the other tabs draw
    tarsel::SweepControl never;
    const auto draw = [&] {
        // A commit gives new results; the open tab is swept and drawn again.
        const LinkParams p = committed(params, (*commits)++);
        const tarsel::LinkResults results = tarsel::recalculate(p);
        (*view)->setFigure(tarsel::computePlot(tab, p, results, settings, never).figure);
        // The event loop's next pass lays the chart out and paints it, as in
        // the window.
        (*view)->layOutNow();
    };
    if (*view == nullptr) {
        *view = newView();
        draw(); // the tab's first drawing, before the commits measured
    }
    for (auto _ : state) {
        draw();
    }
}

using tarsel::bench::ridgeProfile;

// The Path Profile tab over a terrain when a new k is chosen: the path worked
// through again, its figure built and drawn. k runs through the presets.
void terrainK(benchmark::State& state) {
    static tarsel::PlotView* view = newView();
    const tarsel::terrain::Profile profile = ridgeProfile();
    tarsel::LinkParams params;
    params.fcent.value = 5.8e9;
    const double ks[] = {2.0 / 3.0, 1.0, 4.0 / 3.0, INFINITY};
    std::size_t next = 0;
    for (auto _ : state) {
        tarsel::terrain::PathSetup setup;
        setup.txHeightM = 60.0;
        setup.rxHeightM = 50.0;
        setup.kFactor = ks[next++ % std::size(ks)];
        tarsel::terrain::PathAnalysis path;
        tarsel::terrain::analysePath(profile, setup, params, path);
        view->setFigure(tarsel::terrainProfileFigure(profile, path, setup.kFactor));
        view->layOutNow();
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
    benchmark::RegisterBenchmark("PlotRefresh/Profile/terrain-new-k", terrainK)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(60)
        ->ComputeStatistics("p95", p95)
        ->ReportAggregatesOnly(true);
    static std::array<tarsel::PlotView*, std::size(cases)> caseViews{};
    static std::array<int, std::size(cases)> commits{};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        benchmark::RegisterBenchmark((std::string("PlotRefresh/") + c.name).c_str(), refresh, c.tab,
                                     c.params, &caseViews[i], &commits[i])
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
    views.clear();
    return 0;
}
