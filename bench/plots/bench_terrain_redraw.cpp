// The Path Profile tab over a terrain redrawn for a new k, 100 km at 30 m
// (3,300 points), offscreen. k runs through the presets; every repetition is
// one new k, the p95 line the 95th percentile over the repetitions.
//   all-on-gui-thread: what the window's thread used to do for a new k: the
//     path worked through twice (the k's check, then the recalculation),
//     the report's Terrain section, the methods table and the plot drawn.
//   gui-thread: what it does now: the k's check (the main obstacle only),
//     the link moved over the analysis that arrived, the Terrain section,
//     the table and the plot drawn.
//   background: what now runs off that thread: the path worked through and
//     the figure built.
//   window: the whole program on a temporary settings file with that
//     terrain and the Path Profile tab open, a preset picked in the k box,
//     until the plot window has drawn it: all the window's thread does (the
//     k's check and save, the recalculations, the table and the plot).
// Then a commit of a new frequency over a 1,000,000-point terrain, where the
// window's thread used to work the path through (all-on-gui-thread) and now
// only moves the link over the analysis that arrives (gui-thread).
#include "ridge_profile.h"
#include "terrain/report_section.h"
#include "ui/common/app_state.h"
#include "ui/common/commands.h"
#include "ui/common/ui_services.h"
#include "ui/main/application.h"
#include "ui/main/main_window.h"
#include "ui/main/terrain_analyser.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/plot_window.h"
#include "ui/plots/terrain_panel.h"
#include "ui/plots/terrain_profile.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace tarsel;

using bench::ridgeProfile;

struct Bench {
    terrain::Profile profile = ridgeProfile();
    LinkParams params;
    PlotView view;
    TerrainPanel panel;
    std::size_t next = 0;

    Bench() {
        params.fcent.value = 5.8e9;
        for (QWidget* w : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&panel)}) {
            w->setAttribute(Qt::WA_DontShowOnScreen);
        }
        view.resize(900, 560);
        view.show();
    }

    terrain::PathSetup nextSetup() {
        static const double ks[] = {2.0 / 3.0, 1.0, 4.0 / 3.0, INFINITY};
        terrain::PathSetup setup;
        setup.txHeightM = 60.0;
        setup.rxHeightM = 50.0;
        setup.kFactor = ks[next++ % std::size(ks)];
        return setup;
    }

    void draw(const terrain::PathAnalysis& path, const PlotFigure& figure, double k) {
        benchmark::DoNotOptimize(terrain::terrainReportSection(profile, path));
        panel.showTerrain(&path, k);
        view.setFigure(figure);
        view.layOutNow();
    }
};

void allOnGuiThread(benchmark::State& state) {
    Bench b;
    for (auto _ : state) {
        const terrain::PathSetup setup = b.nextSetup();
        terrain::PathAnalysis check, path;
        terrain::analysePath(b.profile, setup, b.params, check);
        terrain::analysePath(b.profile, setup, b.params, path);
        b.draw(path, terrainProfileFigure(b.profile, path, setup.kFactor), setup.kFactor);
    }
}

void guiThread(benchmark::State& state) {
    Bench b;
    // The analyses and figures as they arrive from the background.
    std::vector<terrain::PathAnalysis> paths(4);
    std::vector<PlotFigure> figures(4);
    std::vector<terrain::PathSetup> setups(4);
    for (std::size_t i = 0; i < 4; ++i) {
        setups[i] = b.nextSetup();
        terrain::analysePath(b.profile, setups[i], b.params, paths[i]);
        figures[i] = terrainProfileFigure(b.profile, paths[i], setups[i].kFactor);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t at = i++ % 4;
        benchmark::DoNotOptimize(terrain::checkPath(b.profile, setups[at], b.params));
        terrain::relinkPath(b.profile, b.params, paths[at]);
        b.draw(paths[at], figures[at], setups[at].kFactor);
    }
}

void background(benchmark::State& state) {
    Bench b;
    for (auto _ : state) {
        const terrain::PathSetup setup = b.nextSetup();
        terrain::PathAnalysis path;
        terrain::analysePath(b.profile, setup, b.params, path);
        benchmark::DoNotOptimize(terrainProfileFigure(b.profile, path, setup.kFactor));
    }
}

void settle(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    for (int i = 0; i < 5; ++i) { // the queued replot and its painting
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void inWindow(benchmark::State& state) {
    QTemporaryDir dir;
    QFile csv(dir.filePath(QStringLiteral("ridge.csv")));
    csv.open(QIODevice::WriteOnly);
    csv.write("Distance (m),Height (m)\n");
    const terrain::Profile profile = ridgeProfile();
    for (std::size_t i = 0; i < profile.size(); ++i) {
        csv.write(QByteArray::number(profile.distanceM[i], 'g', 17) + ',' +
                  QByteArray::number(profile.heightM[i], 'g', 17) + '\n');
    }
    csv.close();
    QFile ini(dir.filePath(QStringLiteral("Tarsel.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Terrain]\nSource=profile\nProfile=" + csv.fileName().toUtf8() +
              "\nTxHeight=60\nRxHeight=50\n[Plots]\nTab=2\n");
    ini.close();
    AppState app;
    app.settingsPath = ini.fileName();
    app.services = &defaultUiServices();
    {
        std::unique_ptr<MainWindow> window = startTarsel(app);
        window->command(IDM_GRAPH_PROFILE);
        auto* plots = qobject_cast<PlotWindow*>(app.plotWindow.data());
        const auto drawnAfter = [&](int drawn) {
            return [&, drawn] {
                return plots->drawnCount() > drawn && !plots->busy() &&
                       !window->terrainAnalyser()->busy();
            };
        };
        settle(drawnAfter(0));
        QComboBox* box = plots->terrainPanel()->kFactorBox();
        int next = 0;
        for (auto _ : state) {
            const int drawn = plots->drawnCount();
            next = (next + 1) % 4; // the presets in turn
            box->setCurrentIndex(next);
            emit box->activated(next);
            settle(drawnAfter(drawn));
        }
        plots->close();
    }
}

void commitOnGuiThread(benchmark::State& state, bool before) {
    const terrain::Profile profile = ridgeProfile(1000000);
    terrain::PathSetup setup;
    setup.txHeightM = 60.0;
    setup.rxHeightM = 50.0;
    LinkParams params;
    terrain::PathAnalysis path;
    terrain::analysePath(profile, setup, params, path);
    int commits = 0;
    for (auto _ : state) {
        params.fcent.value = ++commits % 2 == 0 ? 5.8e9 : 5.9e9;
        if (before) {
            terrain::analysePath(profile, setup, params, path);
        } else {
            terrain::relinkPath(profile, params, path);
        }
        benchmark::DoNotOptimize(terrain::terrainReportSection(profile, path));
    }
}

double p95(const std::vector<double>& v) {
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    return sorted[static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(sorted.size()))) -
                  1];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const struct {
        const char* name;
        void (*run)(benchmark::State&);
    } cases[] = {{"TerrainNewK/all-on-gui-thread", allOnGuiThread},
                 {"TerrainNewK/gui-thread", guiThread},
                 {"TerrainNewK/background", background},
                 {"TerrainNewK/window", inWindow}};
    for (const auto& [name, run] : cases) {
        benchmark::RegisterBenchmark(name, run)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(60)
            ->ComputeStatistics("p95", p95)
            ->ReportAggregatesOnly(true);
    }
    for (const bool before : {true, false}) {
        benchmark::RegisterBenchmark(before ? "TerrainCommit/1e6-points/all-on-gui-thread"
                                            : "TerrainCommit/1e6-points/gui-thread",
                                     commitOnGuiThread, before)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(20)
            ->ComputeStatistics("p95", p95)
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
