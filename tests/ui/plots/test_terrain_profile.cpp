// The path profile over a terrain: the k-factor typed or picked redraws the
// ground with its bulge, the methods table follows, a bad k is refused.
#include "plot_harness.h"

#include "ui/plots/terrain_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cmath>

namespace tarsel::testing {
namespace {

PlotWindow* profileOverRidge(Program& program) {
    loadRidge(program);
    return openPlots(program, IDM_GRAPH_PROFILE);
}

void typeK(Program& program, PlotWindow* window, const QString& text) {
    QLineEdit* edit = window->terrainPanel()->kFactorBox()->lineEdit();
    edit->selectAll();
    for (const QChar c : text) { // "∞" too, which has no key of its own
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QTest::keyClick(edit, Qt::Key_Return);
    waitForPlots(program);
}

TEST(TerrainProfile, EachKRedrawsTheGroundWithItsBulgeAndTheTableFollows) {
    const struct {
        const char* typed;
        double k;
    } rows[] = {
        {"1", 1.0}, {"2/3", 2.0 / 3.0}, {"\u221e", INFINITY}, {"1.5", 1.5}, {"4/3", 4.0 / 3.0},
    };
    Program program;
    PlotWindow* window = profileOverRidge(program);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->terrainPanel()->isVisibleTo(window));
    for (const auto& row : rows) {
        typeK(program, window, QString::fromUtf8(row.typed));
        EXPECT_EQ(program.state.terrain.source.kFactor, row.k) << row.typed;
        // The ridge top raised by the bulge d1 d2 / (2 k 6371 km).
        const double bulge = 3000.0 * 2000.0 / (2.0 * row.k * 6371.0e3);
        EXPECT_NEAR(
            curveAt(window->data(PlotTab::Profile).figure, QStringLiteral("Terrain"), 3000.0),
            260.0 + bulge, 1e-9)
            << row.typed;
        const QTableWidget* table = window->terrainPanel()->methodsTable();
        EXPECT_EQ(table->item(table->rowCount() - 1, 0)->text(),
                  QString::number(program.state.terrain.analysis.terrain.marginDb, 'g', 4))
            << row.typed;
    }
    EXPECT_TRUE(program.settingsText().contains(QStringLiteral("KFactor=1.3333333333333333")));
}

TEST(TerrainProfile, ABadKIsRefusedAndTheTerrainStays) {
    Program program;
    PlotWindow* window = profileOverRidge(program);
    ASSERT_NE(window, nullptr);
    for (const char* typed : {"abc", "0", "-1", "1/0"}) {
        typeK(program, window, QString::fromLatin1(typed));
        EXPECT_EQ(program.state.terrain.source.kFactor, 4.0 / 3.0) << typed;
        EXPECT_TRUE(window->terrainPanel()
                        ->findChild<QLabel*>(QStringLiteral("kFactorNote"))
                        ->isVisibleTo(window))
            << typed;
    }
    EXPECT_TRUE(program.services.warnings.empty());
}

#ifdef TARSEL_REPORT_PATH
// The Sweep tab sweeps the terrain's k: each method's loss against it, the
// numbers tarsel-report --profile --sweep kFactor=... writes, and Save Data
// writes what it writes.
TEST(TerrainProfile, TheSweepTabsKSweepIsTheCommandLineSweep) {
    Program program;
    PlotWindow* window = profileOverRidge(program);
    ASSERT_NE(window, nullptr);
    window->showTab(PlotTab::Sweep);
    waitForPlots(program);
    auto* key = window->findChild<QComboBox*>("sweepKey");
    key->setCurrentIndex(key->findData(QStringLiteral("kFactor")));
    window->findChild<QCheckBox*>("sweepLog")->setChecked(false);
    for (const auto& [name, text] : {std::pair{"sweepTo", "4"}, std::pair{"sweepFrom", "0.5"}}) {
        auto* box = window->findChild<QLineEdit*>(name);
        box->setText(QString::fromLatin1(text));
        emit box->editingFinished();
    }
    auto* points = window->findChild<QSpinBox*>("sweepPoints");
    points->setValue(8);
    emit points->editingFinished();
    waitForPlots(program);
    program.services.saveAnswer = program.dir.filePath("k.csv");
    window->findChild<QPushButton*>("saveData")->click();
    QFile file(program.services.saveAnswer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> saved = file.readAll().split('\n');

    const QList<QByteArray> cli =
        cliSweep({"kFactor", 0.5, 4.0, 8, false},
                 "terrain.deltaBullingtonDb,terrain.bullingtonDb,terrain.deygoutDb,"
                 "terrain.epsteinPetersonDb",
                 {"--profile", program.dir.filePath(QStringLiteral("ridge.csv")), "--tx-height",
                  "2", "--rx-height", "2"})
            .split('\n');
    ASSERT_EQ(cli.size(), 8 + 2) << cli.front().toStdString(); // header, points, last newline
    EXPECT_EQ(saved, cli);
    const PlotFigure& f = window->data(PlotTab::Sweep).figure;
    ASSERT_EQ(f.curves.size(), 4u);
    for (int row = 1; row <= 8; ++row) {
        const QList<QByteArray> cells = cli[row].split(',');
        for (int method = 0; method < 4; ++method) {
            EXPECT_EQ(f.curves[static_cast<std::size_t>(method)].points[row - 1],
                      QPointF(cells[0].toDouble(), cells[method + 1].toDouble()))
                << row << ' ' << method;
        }
    }

    // Without the terrain the k sweep gives way to an input, with a range of its own.
    program.window->commandAction(IDM_TERRAIN_CLEAR)->trigger();
    waitForPlots(program);
    EXPECT_EQ(key->findData(QStringLiteral("kFactor")), -1);
    EXPECT_NE(window->findChild<QLineEdit*>("sweepTo")->text(), QStringLiteral("4"));
    EXPECT_TRUE(window->noteLabel(PlotTab::Sweep)->text().isEmpty())
        << window->noteLabel(PlotTab::Sweep)->text().toStdString();
    EXPECT_FALSE(window->data(PlotTab::Sweep).figure.curves.empty());
}
#endif

} // namespace
} // namespace tarsel::testing
