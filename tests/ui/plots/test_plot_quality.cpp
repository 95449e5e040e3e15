// What a published plot needs: PDF pages filled with complete legends, the
// profile fitted to the path, extreme but accepted inputs drawn, clipped SVG
// in the chosen format, zoom kept through refreshes, one axis per unit with
// stable colours, refused entries marked, and zooms that stay drawable.
#include "plot_harness.h"

#include "ui/plots/path_profile.h"
#include "ui/plots/pdf_report.h"
#include "ui/plots/plot_axes.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

// A 9 km link at 5.8 GHz over a 20 m hill of 500 m radius.
const std::string Link = "[Tarsel]\nfcent=5.8e9\nRange=9000\nX12s=4000\nX23s=5000\ny01s=30\n"
                         "y03s=25\nRhill=500\ny02s=20\nbDiffract=1\n";

// Every tick label of the view's axes, drawn first.
QStringList tickLabels(PlotView* view) {
    view->layOutNow();
    QStringList all;
    for (QCPAxis* axis : {view->xAxis, view->yAxis, view->yAxis2}) {
        for (const QString& label : axis->tickVectorLabels()) {
            all << label;
        }
    }
    return all;
}

void expectPlainAndFinite(const QStringList& labels, const char* where) {
    for (const QString& label : labels) {
        EXPECT_FALSE(label.contains("inf") || label.contains("nan"))
            << where << label.toStdString();
    }
}

// The heights drawn of figure, against the y range shown: the share of the
// plot area the drawing fills.
double heightsShare(const PlotFigure& f, QPointF shown) {
    double lo = INFINITY, hi = -INFINITY;
    for (const PlotCurve& c : f.curves) {
        for (const QPointF& p : c.points) {
            lo = std::min(lo, p.y());
            hi = std::max(hi, p.y());
        }
    }
    return (hi - lo) / (shown.y() - shown.x());
}

TEST(PlotQuality, PdfPlotsFillTheirPagesWithEveryCurveInTheLegend) {
    for (const bool terrain : {false, true}) {
        Program program{Link};
        program.settle();
        if (terrain) {
            loadRidge(program);
        }
        std::vector<PdfPlotPage> pages;
        const QString path = program.dir.filePath("report.pdf");
        const PdfReportContent content = pdfReportContent(program.state);
        ASSERT_EQ(writePdfReport(path, content, &pages), "");
        // The link's three plots, then the profile over a terrain in use.
        std::vector<PlotFigure> figures;
        SweepControl never;
        for (const PlotTab tab : {PlotTab::Range, PlotTab::Height, PlotTab::Profile}) {
            figures.push_back(
                computePlot(tab, content.params, content.results, content.settings, never).figure);
        }
        if (terrain) {
            figures.push_back(terrainProfileFigure(
                *content.terrain.profile, content.terrain.analysis, content.terrain.kFactor));
        }
        ASSERT_EQ(pages.size(), figures.size()) << terrain;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const PlotFigure& f = figures[i];
            int entries = 0;
            for (const PlotCurve& c : f.curves) {
                entries += c.name.endsWith(", lower") ? 0 : 1;
            }
            for (const PlotMarker& m : f.markers) {
                entries += std::isfinite(m.at) && std::fabs(m.at) <= AxisLimit ? 1 : 0;
            }
            EXPECT_TRUE(pages[i].title.startsWith(f.title)) << pages[i].title.toStdString();
            EXPECT_EQ(pages[i].legendEntries, entries) << i;
            // The plot area across the page's width and down most of it, the
            // drawing (a profile to scale too) over most of its height.
            EXPECT_GE(pages[i].plot.width(), 0.85 * pages[i].page.width()) << i;
            EXPECT_GE(pages[i].plot.height(), 0.55 * pages[i].page.height()) << i;
            EXPECT_GE(heightsShare(f, pages[i].yRange), 0.5) << pages[i].title.toStdString();
        }
    }
}

TEST(PlotQuality, ProfileFitsThePathAndTheHillsTopNotItsCircle) {
    for (const char* exaggeration : {"1", "10", "1000"}) {
        Program program{Link + "[Plots]\nExaggeration=" + exaggeration + "\n"};
        PlotView* view = openPlots(program, IDM_GRAPH_PROFILE)->view(PlotTab::Profile);
        view->layOutNow();
        const QPointF x = view->xRange(), y = view->yRange();
        EXPECT_LE(x.x(), 0.0) << exaggeration;
        EXPECT_GE(x.y(), 9000.0) << exaggeration;
        EXPECT_LT(x.y() - x.x(), 9000.0 * 1.2) << exaggeration;
        EXPECT_LE(y.x(), 0.0) << exaggeration;    // the baseline
        EXPECT_GE(y.y(), 30.0) << exaggeration;   // the Tx antenna
        EXPECT_GT(y.x(), -480.0) << exaggeration; // far above the circle's bottom at -980 m
        EXPECT_FALSE(view->figure().note.contains("-0 ")) << view->figure().note.toStdString();
    }
}

// The hill stands on the baseline whatever its radius: a wide one is cut by
// it, a narrow one rests on it, never a circle floating in the air.
TEST(PlotQuality, TheHillReachesFromTheBaselineToItsTop) {
    for (const double radius : {500.0, 10.0, 0.05}) {
        LinkParams params;
        params.X12s.value = 4000.0;
        params.y02s.value = 20.0;
        params.Rhill.value = radius;
        const QList<QPointF> outline = hillOutline(params, 9000.0);
        ASSERT_FALSE(outline.isEmpty()) << radius;
        double low = outline.front().y(), high = low;
        for (const QPointF& p : outline) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        EXPECT_EQ(low, 0.0) << radius;
        EXPECT_NEAR(high, 20.0, 1e-9) << radius;
    }
}

TEST(PlotQuality, RangeLawZeroDrawsEveryCurveWithFiniteLabelsAndSaysWhy) {
    for (const char* log : {"0", "1"}) {
        Program program{std::string("[Tarsel]\nPropLaw=0\n[Plots]\nRangeLog=") + log + "\n"};
        PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
        PlotView* view = window->view(PlotTab::Range);
        for (std::size_t i = 0; i < view->figure().curves.size(); ++i) {
            EXPECT_GT(view->plottable(i)->interface1D()->dataCount(), 1) << log << " " << i;
        }
        expectPlainAndFinite(tickLabels(view), log);
        EXPECT_EQ(window->noteLabel(PlotTab::Range)->text(),
                  "Maximum range unbounded with range law 0.");
    }
}

TEST(PlotQuality, SvgIsClippedAndTheFormatFollowsTheChosenFilter) {
    const QString svg = "SVG image (*.svg)", png = "PNG image (*.png)";
    // clang-format off
    const struct { const char* name; QString filter; bool isSvg; } rows[] = {
        {"plot",     svg, true},  // no suffix: the filter's format
        {"plot2",    png, false},
        {"plot.svg", png, true},  // a suffix of its own wins
    };
    // clang-format on
    Program program{Link};
    PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
    for (const auto& row : rows) {
        program.services.saveAnswer = program.dir.filePath(QString::fromLatin1(row.name));
        program.services.saveFilterAnswer = row.filter;
        window->findChild<QPushButton*>("saveImage")->click();
        QFile file(program.services.saveAnswer);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << row.name;
        const QByteArray data = file.readAll();
        EXPECT_EQ(data.contains("<svg"), row.isSvg) << row.name;
        EXPECT_EQ(data.contains("clip-path=\"url(#plotArea)\""), row.isSvg) << row.name;
        EXPECT_EQ(data.startsWith("\x89PNG"), !row.isSvg) << row.name;
    }
    // Proposed from the tab and the date, in the folder of the last save.
    EXPECT_TRUE(program.services.saveQuestion.name.startsWith("range-"));
    EXPECT_EQ(QDir(QString::fromStdString(window->settings().folder)), QDir(program.dir.path()));
}

TEST(PlotQuality, ZoomStaysThroughRefreshesUntilReset) {
    Program program{Link};
    PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
    PlotView* view = window->view(PlotTab::Range);
    const QPointF whole = view->xRange();
    view->zoomAbout(4.0, view->rect().center());
    const QPointF zoomed = view->xRange();
    QLineEdit* box = program.diagram()->field(FieldY02s);
    box->setText("25");
    program.state.hLastEdit = box;
    QTest::keyClick(box, Qt::Key_Return);
    waitForPlots(program);
    EXPECT_EQ(view->xRange(), zoomed);
    window->findChild<QPushButton*>("resetZoom")->click();
    EXPECT_EQ(view->xRange(), whole);
}

TEST(PlotQuality, EachUnitTakesAnAxisAndEveryCurveKeepsItsColour) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
    PlotView* view = window->view(PlotTab::Sweep);
    auto* list = window->findChild<QListWidget*>("sweepResults");
    const auto check = [&](const char* name) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->data(Qt::UserRole).toString() == name) {
                list->item(i)->setCheckState(Qt::Checked);
            }
        }
        waitForPlots(program);
    };
    const QColor first = view->plottable(0)->pen().color();
    check("knifeEdgeV");  // a second unit (none): the right-hand axis
    check("minRxPowerW"); // a third unit (dBm, from W): refused
    ASSERT_EQ(view->figure().curves.size(), 2u);
    EXPECT_EQ(view->plottable(1)->valueAxis(), view->yAxis2);
    EXPECT_TRUE(view->yAxis2->visible());
    EXPECT_EQ(view->plottable(0)->pen().color(), first);
    EXPECT_TRUE(window->noteLabel(PlotTab::Sweep)->text().contains("cannot be added"));
    check("smoothHill.marginDb"); // dB again: the left axis, the first curve's colour kept
    ASSERT_EQ(view->figure().curves.size(), 3u);
    EXPECT_EQ(view->plottable(0)->pen().color(), first);
    EXPECT_EQ(view->plottable(2)->valueAxis(), view->yAxis);
}

TEST(PlotQuality, ABadFromEntryIsMarkedAndThePlotKept) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
    const QList<QPointF> before = window->view(PlotTab::Sweep)->figure().curves.at(0).points;
    auto* from = window->findChild<QLineEdit*>("sweepFrom");
    from->setText("abc");
    emit from->editingFinished();
    waitForPlots(program);
    EXPECT_TRUE(from->property("refused").toBool());
    EXPECT_EQ(window->noteLabel(PlotTab::Sweep)->text(), "From: Invalid number format: abc");
    EXPECT_TRUE(window->noteLabel(PlotTab::Sweep)->isVisible());
    EXPECT_EQ(window->view(PlotTab::Sweep)->figure().curves.at(0).points, before);
}

// A swept axis runs exactly over its values, so its last label sits on the
// plot's right end: it must have room in the widget, which the plotting
// library would otherwise leave the label out for.
TEST(PlotQuality, ASweptAxisShowsItsLastValue) {
    const struct {
        const char* plots;
        const char* last;
    } rows[] = {
        {"SweepKey=fcent\nSweepFrom=1e9\nSweepTo=1e10\nSweepLog=1\n", "10 GHz"},
        {"SweepKey=Bw\nSweepFrom=1e3\nSweepTo=1e12\nSweepLog=1\n", "1 THz"},
        {"SweepKey=Range\nSweepFrom=0\nSweepTo=100000\nSweepLog=0\n", "100"}, // km
    };
    for (const auto& row : rows) {
        Program program{std::string("[Plots]\n") + row.plots};
        PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
        PlotView* view = window->view(PlotTab::Sweep);
        view->layOutNow();
        const QCPAxis* x = view->xAxis;
        ASSERT_FALSE(x->tickVectorLabels().isEmpty()) << row.last;
        EXPECT_EQ(x->tickVectorLabels().last(), row.last);
        const double right = x->coordToPixel(x->tickVector().last()) +
                             QFontMetricsF(x->tickLabelFont()).horizontalAdvance(row.last) / 2;
        EXPECT_LE(right, view->width()) << row.last;
    }
}

// However deep the zoom, the distance labels keep apart: long ones take fewer ticks.
TEST(PlotQuality, LabelsAcrossNeverRunIntoEachOther) {
    Program program{Link};
    PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
    PlotView* view = window->view(PlotTab::Range);
    view->setPixelFonts(22); // large print
    for (const double zoom : {1.0, 1e3, 1e4}) {
        view->zoomAbout(zoom, QPointF(view->rect().center()) + QPointF(0.37, 0));
        view->layOutNow();
        const QCPAxis* x = view->xAxis;
        const QFontMetricsF metrics(x->tickLabelFont());
        const auto& ticks = x->tickVector();
        const auto& labels = x->tickVectorLabels();
        ASSERT_GE(labels.size(), 2) << zoom;
        for (qsizetype i = 1; i < labels.size(); ++i) {
            const double apart = x->coordToPixel(ticks[i]) - x->coordToPixel(ticks[i - 1]);
            const double widths =
                (metrics.horizontalAdvance(labels[i]) + metrics.horizontalAdvance(labels[i - 1])) /
                2;
            EXPECT_GT(apart, widths)
                << labels[i - 1].toStdString() << " " << labels[i].toStdString();
        }
    }
}

// Six wheel notches out and a rubber band beyond the plot, on a path at the
// ends of the doubles: every range stays finite, and the ticks few.
TEST(PlotQuality, ExtremeProfileZoomsStayDrawable) {
    Program program{std::string("[Tarsel]\nX12s=4e307\nX23s=4e307\nRange=8e307\ny01s=4e307\n"
                                "y03s=-4e307\n[Plots]\nExaggeration=1\n")};
    PlotWindow* window = openPlots(program, IDM_GRAPH_PROFILE);
    PlotView* view = window->view(PlotTab::Profile);
    view->layOutNow();
    QWheelEvent out(QPointF(500, 100), view->mapToGlobal(QPointF(500, 100)), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    for (int i = 0; i < 6; ++i) {
        QApplication::sendEvent(view, &out);
    }
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(500, 100));
    QTest::mouseMove(view, QPoint(600, -250));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(600, -250));
    waitForPlots(program);
    for (const QPointF r : {view->xRange(), view->yRange()}) {
        EXPECT_TRUE(std::isfinite(r.x()) && std::isfinite(r.y()) && r.x() < r.y() &&
                    std::isfinite(r.y() - r.x()))
            << r.x() << " " << r.y();
    }
    const QStringList labels = tickLabels(view);
    EXPECT_LE(labels.size(), 3 * MaxAxisTicks);
    expectPlainAndFinite(labels, "extreme profile");
}

// An outline with a point no axis can show (a height beyond the doubles an
// axis takes) breaks there: each side filled on its own, quickly (the plot's
// own fill through the gap took the raster engine tens of seconds).
TEST(PlotQuality, AnOutlineBrokenByAnUnshowablePointIsFilledEitherSide) {
    PlotView view;
    view.resize(600, 400);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.show();
    PlotFigure figure;
    PlotCurve ground;
    ground.name = QStringLiteral("Ground");
    ground.filled = true;
    ground.colour = PlotColour::Blue;
    ground.points = {{0, 0}, {1, 3}, {2, 0}, {3, 1e300}, {4, 0}, {5, 3}, {6, 0}};
    figure.curves.push_back(ground);
    view.setFigure(figure);
    view.layOutNow();
    const QImage image = view.grab().toImage();
    const QColor background = image.pixelColor(view.axisRect()->rect().topLeft() + QPoint(2, 2));
    for (const double x : {1.0, 5.0}) {
        const QPoint inside(static_cast<int>(view.xAxis->coordToPixel(x)),
                            static_cast<int>(view.yAxis->coordToPixel(1.0)));
        EXPECT_NE(image.pixelColor(inside), background) << "x = " << x;
    }
}

} // namespace
} // namespace tarsel::testing
