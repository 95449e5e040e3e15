#pragma once
// The program with its plot window: open a tab through the Graphs menu and
// wait until the tab is drawn.

#include "test_main_window_harness.h"

#include "ui/common/commands.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/plot_window.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>

namespace tarsel::testing {

inline PlotWindow* plotWindow(Program& program) {
    return qobject_cast<PlotWindow*>(program.state.plotWindow.data());
}

// Runs events until the plot window has no computation left.
inline void waitForPlots(Program& program) {
    program.settle();
    QElapsedTimer clock;
    clock.start();
    while (plotWindow(program) != nullptr && plotWindow(program)->busy() &&
           clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    program.settle();
}

// Triggers a Graphs menu item and waits for its tab.
inline PlotWindow* openPlots(Program& program, int command) {
    program.settle();
    program.window->commandAction(command)->trigger();
    waitForPlots(program);
    return plotWindow(program);
}

// A ridge at 3 km between two valleys, 5 km long, loaded as the terrain.
inline void loadRidge(Program& program) {
    const QString path = program.dir.filePath(QStringLiteral("ridge.csv"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("d (km),h (m)\n0,100\n1,120\n2,180\n3,260\n4,150\n5,110\n");
    }
    file.close();
    program.services.openAnswer = path;
    program.settle();
    program.window->commandAction(IDM_TERRAIN_PROFILE)->trigger();
    program.settle();
}

// The y of the named curve at exactly x, or NaN.
inline double curveAt(const PlotFigure& figure, const QString& name, double x) {
    for (const PlotCurve& curve : figure.curves) {
        if (curve.name == name) {
            for (const QPointF& p : curve.points) {
                if (p.x() == x) {
                    return p.y();
                }
            }
        }
    }
    return std::nan("");
}

#ifdef TARSEL_REPORT_PATH
// The lines tarsel-report --defaults [more] --sweep writes for plan and columns.
inline QByteArray cliSweep(const SweepPlan& plan, const std::string& columns,
                           const QStringList& more = {}) {
    QStringList args = QStringList{"--defaults"} + more;
    args << "--sweep"
         << QStringLiteral("%1=%2:%3:%4")
                .arg(QString::fromStdString(plan.key))
                .arg(plan.from, 0, 'g', 17)
                .arg(plan.to, 0, 'g', 17)
                .arg(plan.points);
    if (!columns.empty()) {
        args << "--columns" << QString::fromStdString(columns);
    }
    if (plan.log) {
        args << "--log";
    }
    QProcess cli;
    cli.start(QStringLiteral(TARSEL_REPORT_PATH), args);
    cli.waitForFinished(60000);
    return cli.exitCode() == 0 ? cli.readAllStandardOutput() : cli.readAllStandardError();
}
#endif

} // namespace tarsel::testing
