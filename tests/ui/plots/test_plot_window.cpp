// The plot window: opened from the Graphs menu on each tab, each tab's data
// against the engine, the clearance verdict, the refresh after every kind of
// recalculation, the close keys.
#include "plot_harness.h"

#include "engine/recalculate.h"
#include "entry/number_format.h"
#include "report/report.h"
#include "ui/plots/path_profile.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

TEST(PlotWindow, EachGraphsItemOpensOneWindowOnItsTab) {
    const struct {
        int command;
        PlotTab tab;
    } rows[] = {
        {IDM_GRAPH_HEIGHT, PlotTab::Height},
        {IDM_GRAPH_PROFILE, PlotTab::Profile},
        {IDM_GRAPH_SWEEP, PlotTab::Sweep},
        {IDM_GRAPH_RANGE, PlotTab::Range},
    };
    Program program;
    PlotWindow* first = nullptr;
    for (const auto& row : rows) {
        PlotWindow* window = openPlots(program, row.command);
        ASSERT_NE(window, nullptr);
        first = first != nullptr ? first : window;
        EXPECT_EQ(window, first) << "one window for every item";
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(window->currentTab(), row.tab);
    }
    EXPECT_FALSE(plotWindow(program)->view(PlotTab::Range)->figure().curves.empty());
}

TEST(PlotWindow, RangeTabAtTheNominalRangeEqualsTheStatusMargin) {
    // clang-format off
    const struct { const char* ini; const char* curve; } rows[] = {
        {"",                                          "No diffraction"}, // defaults
        {"[Tarsel]\ny02s=5\nbDiffract=1\n",           "Smooth hill"},    // obstructed, smooth
        {"[Tarsel]\ny02s=5\nbDiffract=1\nnHillType=1\n", "Rough hill"},  // obstructed, rough
    };
    // clang-format on
    for (const auto& row : rows) {
        Program program{std::string(row.ini)};
        PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
        const PlotFigure& f = window->view(PlotTab::Range)->figure();
        const double margin =
            curveAt(f, QString::fromLatin1(row.curve), program.state.params.Range.value);
        const QString shown = QString::fromStdString(formatRight10(margin));
        EXPECT_TRUE(program.line(1).endsWith(shown + " dB")) << row.curve;
        for (const PlotCurve& c : f.curves) {
            EXPECT_EQ(c.strong, c.name == QString::fromLatin1(row.curve)) << row.curve;
        }
        EXPECT_EQ(f.curves.front().points.size(), PlotPoints + 1);
    }
}

TEST(PlotWindow, HeightTabAtTheCurrentHeightEqualsTheKnifeEdgeFigure) {
    Program program{std::string("[Tarsel]\ny02s=3\n")};
    PlotWindow* window = openPlots(program, IDM_GRAPH_HEIGHT);
    const PlotFigure& f = window->view(PlotTab::Height)->figure();
    const LinkResults& r = program.state.results;
    EXPECT_EQ(curveAt(f, "Knife edge", 3.0), -r.knifeEdgeDb);
    EXPECT_EQ(curveAt(f, "Smooth hill", 3.0), -(r.knifeEdgeDb + r.smoothHillExcessDb));
    // From three Fresnel radii below the line of sight (at 2 m) to three above.
    const double radius = -(-std::sqrt(r.wavelength * r.knifeEdgeD2 * r.knifeEdgeD1 / 100.0));
    EXPECT_NEAR(f.curves.front().points.front().x(), 2.0 - 3 * radius, 0.05);
    EXPECT_NEAR(f.curves.front().points.back().x(), 2.0 + 3 * radius, 0.05);
}

TEST(PathProfile, VerdictAtItsThresholds) {
    // clang-format off
    const struct { double y02s; Clearance verdict; } rows[] = {
        {0.0,   Clearance::Clear},      // defaults: 2 m free of a 1.75 m radius
        {1.0,   Clearance::Marginal},   // 1 m free: 57 %
        {2.0,   Clearance::Marginal},   // the top on the line of sight
        {2.001, Clearance::Obstructed}, // just above it
        {5.0,   Clearance::Obstructed},
    };
    // clang-format on
    for (const auto& row : rows) {
        LinkParams p;
        p.y02s.value = row.y02s;
        const ProfileClearance c = profileClearance(p, recalculate(p));
        EXPECT_EQ(c.verdict, row.verdict) << row.y02s;
    }
    // A hill near the doubles' end: its percentage is beyond them, and left out.
    LinkParams huge;
    huge.y02s.value = 4e307;
    const QString text = clearanceText(profileClearance(huge, recalculate(huge)));
    EXPECT_TRUE(text.startsWith("Obstructed: clearance -4e+307 m, the first Fresnel zone radius"))
        << text.toStdString();
    // 60 % exactly and just below.
    LinkParams p;
    const LinkResults r = recalculate(p);
    const double radius = profileClearance(p, r).fresnelRadius;
    for (const double f : {0.6, std::nextafter(0.6, 0.0)}) {
        LinkParams q = p;
        LinkResults s = r;
        s.knifeEdgeH = -f * radius;
        EXPECT_EQ(profileClearance(q, s).verdict,
                  f == 0.6 ? Clearance::Clear : Clearance::Marginal);
    }
    LinkParams degenerate;
    degenerate.X12s.value = 0.0;
    degenerate.X23s.value = 0.0;
    EXPECT_EQ(profileClearance(degenerate, recalculate(degenerate)).verdict, Clearance::Undefined);
}

TEST(PlotWindow, ProfileNumbersAgreeWithTheReportRows) {
    Program program{std::string("[Tarsel]\ny02s=1\n")};
    PlotWindow* window = openPlots(program, IDM_GRAPH_PROFILE);
    const QString note = window->noteLabel(PlotTab::Profile)->text();
    EXPECT_TRUE(window->noteLabel(PlotTab::Profile)->isVisible());
    const QString report =
        QString::fromStdString(reportText(program.state.params, program.state.results));
    // The rows "Knife edge param. h" (-1: the top 1 m under the line) and
    // "Fresnel zone clearance" (the zone radius, negated).
    auto row = [&report](const char* start) {
        for (const QString& line : report.split('\n')) {
            if (line.startsWith(QLatin1String(start))) {
                return line.section('=', 1).section('[', 0, 0).toDouble();
            }
        }
        return std::nan("");
    };
    const double h = row("Knife edge param. h");
    const double zone = row("Fresnel zone clearance");
    const QString expected = QStringLiteral("Marginal: clearance %1 m, %2 % of the first Fresnel "
                                            "zone radius (%3 m)")
                                 .arg(QString::fromStdString(formatG(-h, 0, 4)),
                                      QString::fromStdString(formatG(100 * -h / -zone, 0, 4)),
                                      QString::fromStdString(formatG(-zone, 0, 4)));
    EXPECT_EQ(note, expected);
}

// Every way the main window recalculates refreshes the open tab.
TEST(PlotWindow, EveryKindOfRecalculationRefreshesTheOpenTab) {
    const struct {
        const char* name;
        std::function<void(Program&)> act;
    } rows[] = {
        {"Enter in a field",
         [](Program& p) {
             QLineEdit* box = p.diagram()->field(FieldY02s);
             box->setText("1");
             p.state.hLastEdit = box;
             QTest::keyClick(box, Qt::Key_Return);
         }},
        {"Recalculate!", [](Program& p) { p.window->commandAction(IDM_RECALC)->trigger(); }},
        {"Diffr. Tog", [](Program& p) { p.status()->diffractionButton()->click(); }},
        {"Hill Type",
         [](Program& p) {
             p.status()->diffractionButton()->click();
             p.settle();
             p.status()->hillTypeButton()->click();
         }},
        {"LOS dialog OK",
         [](Program& p) {
             QTimer::singleShot(0, [] {
                 QWidget* dialog = QApplication::activeModalWidget();
                 ASSERT_NE(dialog, nullptr);
                 dialog->findChild<QPushButton*>("id1")->click(); // OK
             });
             p.window->commandAction(IDM_LOS)->trigger();
         }},
        {"font change", [](Program& p) { p.window->commandAction(IDM_FONT_GRAPHICS)->trigger(); }},
    };
    for (const auto& row : rows) {
        Program program;
        PlotWindow* window = openPlots(program, IDM_GRAPH_PROFILE);
        const int before = window->drawnCount();
        row.act(program);
        waitForPlots(program);
        EXPECT_GT(window->drawnCount(), before) << row.name;
    }
}

TEST(PlotWindow, RefreshFollowsTheNewParameters) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_PROFILE);
    EXPECT_TRUE(window->noteLabel(PlotTab::Profile)->text().startsWith("Clear"));
    QLineEdit* box = program.diagram()->field(FieldY02s);
    box->setText("5");
    program.state.hLastEdit = box;
    QTest::keyClick(box, Qt::Key_Return);
    waitForPlots(program);
    EXPECT_TRUE(window->noteLabel(PlotTab::Profile)->text().startsWith("Obstructed"));
}

TEST(PlotWindow, EscapeAndCtrlWClose) {
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        Program program;
        PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
        window->activateWindow();
        QTest::keySequence(window, key);
        program.settle();
        EXPECT_EQ(plotWindow(program), nullptr) << key.toString().toStdString();
    }
}

// Alt+letter reaches one thing on each tab: the tabs, the tab's own controls
// and the buttons below them.
TEST(PlotWindow, EveryAltLetterIsUniqueOnEachTab) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
    auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    const auto mnemonic = [](const QString& text) {
        return QKeySequence::mnemonic(text).toString().toStdString();
    };
    std::vector<std::string> shared;
    for (int i = 0; i < tabs->count(); ++i) {
        shared.push_back(mnemonic(tabs->tabText(i)));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!tabs->isAncestorOf(button)) {
            shared.push_back(mnemonic(button->text()));
        }
    }
    for (int i = 0; i < tabs->count(); ++i) {
        std::vector<std::string> keys = shared;
        for (QAbstractButton* button : tabs->widget(i)->findChildren<QAbstractButton*>()) {
            keys.push_back(mnemonic(button->text()));
        }
        for (QLabel* label : tabs->widget(i)->findChildren<QLabel*>()) {
            keys.push_back(mnemonic(label->text()));
        }
        std::erase(keys, std::string());
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end())
            << tabs->tabText(i).toStdString() << ": "
            << *std::adjacent_find(keys.begin(), keys.end());
    }
}

TEST(PlotWindow, HoverReadsOutTheNearestPointAndWheelZooms) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
    PlotView* view = window->view(PlotTab::Range);
    const QPointF centre = view->rect().center();
    QTest::mouseMove(view, centre.toPoint());
    const QString text = view->readoutAt(centre);
    EXPECT_TRUE(text.contains(" m, y = ")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(" dB")) << text.toStdString();
    const QPointF before = view->xRange();
    view->zoomAbout(2.0, centre);
    EXPECT_LT(view->xRange().y() - view->xRange().x(), (before.y() - before.x()) * 0.75);
    window->findChild<QPushButton*>("resetZoom")->click();
    EXPECT_EQ(view->xRange(), before);
}

// A click on a legend entry hides its curve (a zone with both its edges) and
// greys the entry, through refreshes, until a second click; the read-out
// passes it by.
TEST(PlotWindow, ALegendEntryClickedHidesItsCurveUntilClickedAgain) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_PROFILE);
    PlotView* view = window->view(PlotTab::Profile);
    view->layOutNow();
    const QString zone = QStringLiteral("First Fresnel zone");
    const auto clickEntry = [&] {
        for (int i = 0; i < view->legend->itemCount(); ++i) {
            auto* entry = qobject_cast<QCPPlottableLegendItem*>(view->legend->item(i));
            if (entry != nullptr && entry->plottable()->name() == zone) {
                QTest::mouseClick(view, Qt::LeftButton, {}, entry->rect().center());
                view->layOutNow();
                return;
            }
        }
        FAIL() << "no legend entry " << zone.toStdString();
    };
    const auto zoneShown = [&] {
        int shown = 0, edges = 0;
        const auto& curves = view->figure().curves;
        for (std::size_t i = 0; i < curves.size(); ++i) {
            if (curves[i].name.startsWith(zone)) {
                ++edges;
                shown += view->plottable(i)->visible() ? 1 : 0;
            }
        }
        EXPECT_EQ(edges, 2);
        return shown;
    };
    clickEntry();
    EXPECT_EQ(zoneShown(), 0);
    for (int y = 0; y < view->height(); y += 4) {
        EXPECT_FALSE(view->readoutAt(QPointF(view->width() / 2.0, y)).startsWith(zone));
    }
    QLineEdit* box = program.diagram()->field(FieldY02s);
    box->setText("0.5");
    program.state.hLastEdit = box;
    QTest::keyClick(box, Qt::Key_Return);
    waitForPlots(program);
    EXPECT_EQ(zoneShown(), 0); // through the refresh
    clickEntry();
    EXPECT_EQ(zoneShown(), 2);
}

} // namespace
} // namespace tarsel::testing
