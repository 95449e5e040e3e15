// Zooming never drives a chart's axes into ranges they cannot hold.
#include "ui/plots/plot_view.h"

#include <QApplication>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

PlotFigure logFigure() {
    PlotFigure figure;
    figure.title = QStringLiteral("Margin against distance");
    figure.x = {QStringLiteral("Distance"), QStringLiteral("m"), true};
    figure.y = {QStringLiteral("Margin"), QStringLiteral("dB"), false};
    PlotCurve curve;
    curve.name = QStringLiteral("No diffraction");
    for (int i = 1; i <= 100; ++i) {
        curve.points.append(QPointF(i * 10.0, 40.0 - 20.0 * std::log10(i)));
    }
    figure.curves.push_back(curve);
    return figure;
}

// Far in, far out, and back, on a log and on a linear distance axis.
TEST(PlotZoom, WheelAndRubberBandStopAtUsableRanges) {
    for (const bool log : {true, false}) {
        PlotView view;
        PlotFigure figure = logFigure();
        figure.x.log = log;
        view.resize(640, 400);
        view.show();
        view.setFigure(figure);
        QApplication::processEvents();
        const QPointF centre = view.rect().center();
        for (const double factor : {1.25, 0.8}) {
            for (int i = 0; i < 400; ++i) {
                view.zoomAbout(factor, centre + QPointF(i % 7, i % 5));
            }
            const QPointF xs = view.xRange();
            const QPointF ys = view.yRange();
            EXPECT_TRUE(std::isfinite(xs.x()) && std::isfinite(xs.y()) && xs.x() < xs.y());
            EXPECT_TRUE(std::isfinite(ys.x()) && std::isfinite(ys.y()) && ys.x() < ys.y());
            if (log) {
                EXPECT_GT(xs.x(), 0.0);
            }
        }
        for (int i = 0; i < 50; ++i) {
            QTest::mousePress(&view, Qt::LeftButton, {}, centre.toPoint());
            QTest::mouseMove(&view, centre.toPoint() + QPoint(1, 1));
            QTest::mouseRelease(&view, Qt::LeftButton, {}, centre.toPoint() + QPoint(1, 1));
        }
        view.resetZoom();
        EXPECT_LT(view.xRange().x(), view.xRange().y());
    }
}

// Data reaching the ends of the doubles (a range typed at its bound) draws.
TEST(PlotZoom, DataAtTheEndsOfTheDoublesDraws) {
    for (const double hi : {1.7976931348623157e308, 1e300, 1e-300}) {
        PlotView view;
        PlotFigure figure = logFigure();
        figure.curves.front().points = {QPointF(0.5, -1e308), QPointF(hi, 1e308)};
        view.resize(640, 400);
        view.setFigure(figure);
        const QPointF xs = view.xRange();
        EXPECT_TRUE(std::isfinite(xs.y()) && xs.x() > 0.0 && xs.x() < xs.y()) << hi;
    }
}

} // namespace
} // namespace tarsel::testing
