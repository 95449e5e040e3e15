// The Sweep tab: any input against chosen results, through its controls;
// a sweep its check refuses shows the reason and no curve.
#include "plot_harness.h"

#include "engine/recalculate.h"
#include "engine/result_fields.h"
#include "sweep/sweep.h"
#include "ui/plots/sweep_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

void setText(QLineEdit* box, const char* text) {
    box->setText(QString::fromLatin1(text));
    emit box->editingFinished();
}

// Sweeps key from..to (log or not) through the tab's controls.
void chooseSweep(PlotWindow* window, const char* key, const char* from, const char* to, bool log) {
    auto* box = window->findChild<QComboBox*>("sweepKey");
    box->setCurrentIndex(box->findData(key));
    window->findChild<QCheckBox*>("sweepLog")->setChecked(log);
    setText(window->findChild<QLineEdit*>("sweepTo"), to);
    setText(window->findChild<QLineEdit*>("sweepFrom"), from);
}

void choosePoints(PlotWindow* window, int points) {
    auto* box = window->findChild<QSpinBox*>("sweepPoints");
    box->setValue(points);
    emit box->editingFinished();
}

// Checks the named results in the list and unchecks every other.
void chooseResults(PlotWindow* window, const QStringList& names) {
    auto* results = window->findChild<QListWidget*>("sweepResults");
    for (int i = 0; i < results->count(); ++i) {
        const bool chosen = names.contains(results->item(i)->data(Qt::UserRole).toString());
        results->item(i)->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

TEST(PlotSweep, ControlsChooseTheInputAndResultsWithUnits) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
    auto* key = window->findChild<QComboBox*>("sweepKey");
    auto* results = window->findChild<QListWidget*>("sweepResults");
    ASSERT_EQ(key->count(), FieldCount);
    EXPECT_EQ(key->itemText(key->findData("Pt")), QStringLiteral("Tx power [dBW]"));
    ASSERT_EQ(results->count(), static_cast<int>(resultFields().size()));
    EXPECT_TRUE(results->item(0)->text().endsWith(" [m]"))
        << results->item(0)->text().toStdString();

    chooseSweep(window, "Pt", "-20", "10", false);
    choosePoints(window, 31);
    chooseResults(window, {"noDiffraction.marginDb", "smoothHill.marginDb"});
    waitForPlots(program);

    const PlotFigure& f = window->view(PlotTab::Sweep)->figure();
    ASSERT_EQ(f.curves.size(), 2u);
    ASSERT_EQ(f.curves[0].points.size(), 31);
    EXPECT_EQ(f.x.label(), QStringLiteral("Tx power [dBW]"));
    EXPECT_EQ(f.y.unit, QStringLiteral("dB"));
    // Each point as the engine gives it with that transmit power.
    LinkParams p = program.state.params;
    p.Pt.value = -20;
    EXPECT_EQ(f.curves[0].points.front(), QPointF(-20, recalculate(p).noDiffraction.marginDb));
    p.Pt.value = 10;
    EXPECT_EQ(f.curves[0].points.back(), QPointF(10, recalculate(p).noDiffraction.marginDb));
    EXPECT_EQ(window->settings().sweepKey, "Pt");
}

TEST(PlotSweep, ARefusedSweepShowsTheSweepChecksMessageAndDrawsNothing) {
    struct Case {
        const char* key;
        const char* from;
        const char* to;
        bool log;
        SweepPlan plan;
    };
    const Case cases[] = {
        {"Nf", "-5", "10", false, {"Nf", -5, 10, 201, false}}, // below the noise figure's 0
        {"Pt", "-20", "10", true, {"Pt", -20, 10, 201, true}}, // log across zero
    };
    for (const Case& c : cases) {
        Program program;
        PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
        chooseSweep(window, c.key, c.from, c.to, c.log);
        waitForPlots(program);
        EXPECT_TRUE(window->view(PlotTab::Sweep)->figure().curves.empty()) << c.key;
        EXPECT_EQ(window->noteLabel(PlotTab::Sweep)->text().toStdString(),
                  checkSweep(c.plan).message);
    }
}

// Another input brings its own range: the one it last had in this window, or
// one around its present value, never the last input's numbers out of its range.
TEST(PlotSweep, ChoosingAnotherInputOffersItsOwnRange) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
    auto* key = window->findChild<QComboBox*>("sweepKey");
    auto* from = window->findChild<QLineEdit*>("sweepFrom");
    const struct {
        const char* key;
        const char* typedFrom; // typed after the choice, or nullptr
        QString from, to;
        bool log;
    } steps[] = {
        {"Pt", "-30", "-20", "0", false}, // Tx power -10 dBW: 10 dB either side
        {"Range", nullptr, "10", "1000", true},
        {"Pt", nullptr, "-30", "0", false},           // as typed before
        {"fcent", nullptr, "1e+009", "1e+010", true}, // as the window opened
    };
    for (const auto& step : steps) {
        key->setCurrentIndex(key->findData(step.key));
        EXPECT_EQ(from->text(), step.from) << step.key;
        EXPECT_EQ(window->findChild<QLineEdit*>("sweepTo")->text(), step.to) << step.key;
        EXPECT_EQ(window->findChild<QCheckBox*>("sweepLog")->isChecked(), step.log) << step.key;
        waitForPlots(program);
        EXPECT_FALSE(window->view(PlotTab::Sweep)->figure().curves.empty()) << step.key;
        EXPECT_TRUE(window->noteLabel(PlotTab::Sweep)->text().isEmpty())
            << window->noteLabel(PlotTab::Sweep)->text().toStdString();
        if (step.typedFrom != nullptr) {
            setText(from, step.typedFrom);
        }
    }
}

#ifdef TARSEL_REPORT_PATH
// Save data writes the header and the rows that tarsel-report --sweep writes
// for the same sweep with the chosen results as its columns.
// The window torn down (the program's end) while a bound is being typed: its
// field loses the focus as the window goes, and the text is taken while the
// window's choices are still there to take it.
TEST(PlotSweep, AWindowTornDownWhileABoundIsTypedGoesQuietly) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* from = window->findChild<QLineEdit*>("sweepFrom");
    from->setFocus();
    ASSERT_TRUE(from->hasFocus());
    QTest::keyClicks(from, "5");
    delete window;
    waitForPlots(program);
    EXPECT_EQ(plotWindow(program), nullptr);
}

TEST(PlotSweep, SavedDataHasTheColumnsAndRowsOfTheCommandLineSweep) {
    const struct {
        const char* key;
        const char* from;
        const char* to;
        int points;
        bool log;
        QStringList results;
    } cases[] = {
        {"Range", "100", "2000", 7, false, {"noDiffraction.marginDb"}},
        {"fcent", "1e8", "1e10", 5, true, {"knifeEdgeV", "smoothHill.maxRange"}}, // two units: one
                                                                                  // axis each
    };
    for (const auto& c : cases) {
        Program program;
        PlotWindow* window = openPlots(program, IDM_GRAPH_SWEEP);
        chooseSweep(window, c.key, c.from, c.to, c.log);
        choosePoints(window, c.points);
        chooseResults(window, c.results);
        waitForPlots(program);
        program.services.saveAnswer = program.dir.filePath("sweep.csv");
        window->findChild<QPushButton*>("saveData")->click();
        QFile file(program.services.saveAnswer);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.key;
        const QList<QByteArray> saved = file.readAll().split('\n');

        const QList<QByteArray> expected =
            cliSweep({c.key, std::stod(c.from), std::stod(c.to), c.points, c.log},
                     c.results.join(',').toStdString())
                .split('\n');
        EXPECT_EQ(saved.front().toStdString(), expected.front().toStdString());
        EXPECT_EQ(saved.size(), expected.size()) << c.key;
        EXPECT_EQ(saved, expected) << c.key;
        EXPECT_EQ(saved.size(), c.points + 2); // header, the points, the final newline
    }
}
#endif

} // namespace
} // namespace tarsel::testing
