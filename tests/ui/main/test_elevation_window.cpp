// Terrain from elevation data in the main window: the dialog filled by keys,
// its bad entries marked, the profile sampled by tarsel-report, a long load
// cancelled and a failed one reported with the terrain in use kept, and the
// source loading again after a restart.
#include "test_main_window_harness.h"

#include "ui/common/commands.h"
#include "ui/dialogs/elevation_dialog.h"
#include "ui/main/terrain_note.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

// An ESRI ASCII grid GDAL reads as WGS84 (its extent is in degrees): 0.01°
// posts over 47.0-47.4 N, 8.0-8.4 E, a ridge 300 m high along 47.2 N; with
// a void, one post without data on the path at 47.1 N, 8.2 E.
QString writeRidgeGrid(const QTemporaryDir& dir, bool withVoid = false) {
    const QString path = dir.filePath(QStringLiteral("ridge.asc"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return path;
    }
    constexpr int Posts = 41;
    QByteArray text = "ncols 41\nnrows 41\nxllcenter 8.0\nyllcenter 47.0\ncellsize 0.01\n"
                      "NODATA_value -9999\n";
    for (int row = 0; row < Posts; ++row) {
        const double lat = 47.4 - 0.01 * row;
        const double h = 100.0 + 300.0 * std::exp(-std::pow((lat - 47.2) / 0.03, 2));
        for (int col = 0; col < Posts; ++col) {
            const bool empty = withVoid && row == 30 && col == 20;
            text += (empty ? QByteArray("-9999") : QByteArray::number(h, 'f', 2)) +
                    (col + 1 < Posts ? " " : "\n");
        }
    }
    file.write(text);
    return path;
}

ElevationDialog* openDialog(Program& program) {
    program.window->commandAction(IDM_TERRAIN_DEM)->trigger();
    return program.window->findChild<ElevationDialog*>();
}

QLineEdit* entry(ElevationDialog* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

bool marked(QLineEdit* field) {
    const QAction* sign = field->findChild<QAction*>(QStringLiteral("invalidMark"));
    return sign != nullptr && sign->isVisible();
}

QPushButton* okButton(ElevationDialog* dialog) {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

// The dialog filled by keys with the path over the ridge, due north.
void fillOverTheRidge(Program& program, ElevationDialog* dialog, const QString& grid) {
    program.services.openFilesAnswer = {grid};
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("addFiles")), Qt::LeftButton);
    typeInto(entry(dialog, "txSite"), QStringLiteral("47.05,8.2"));
    typeInto(entry(dialog, "rxSite"), QStringLiteral("47.35,8.2"));
    typeInto(entry(dialog, "txHeight"), QStringLiteral("30"));
    typeInto(entry(dialog, "rxHeight"), QStringLiteral("20"));
}

double fieldValue(const Program& program, int field) {
    return program.diagram()->field(field)->text().toDouble();
}

TEST(ElevationWindow, TheDialogsTerrainIsUsedAndLoadsAgainAfterARestart) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Tarsel.ini"));
    const QString grid = writeRidgeGrid(dir);
    {
        Program first(std::nullopt, settings);
        first.settle();
        ElevationDialog* dialog = openDialog(first);
        ASSERT_NE(dialog, nullptr);
        fillOverTheRidge(first, dialog, grid);
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("pathPreview"))->text(),
                  QStringLiteral("Path 33.352 km long, bearing 0.0\u00b0 from north at the Tx "
                                 "site (WGS84 geodesic)"));
        ASSERT_TRUE(okButton(dialog)->isEnabled()) << dialog->problem().toStdString();
        QTest::keyClick(entry(dialog, "rxHeight"), Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return first.state.terrain.inUse(); }, 20000));
        first.settle();
        EXPECT_TRUE(first.services.warnings.empty());
        EXPECT_EQ(first.window->terrainNote()->text(),
                  QStringLiteral("Hill and distances from the elevation data ridge.asc"));
        // The ridge in the middle is the hill; the antennas 30 m and 20 m
        // over the valleys at 100 m.
        EXPECT_NEAR(fieldValue(first, FieldRange), 33352.4, 0.5);
        EXPECT_NEAR(fieldValue(first, FieldX12s), 16676.0, 600.0);
        EXPECT_NEAR(fieldValue(first, FieldY01s), 130.0, 0.5);
        EXPECT_NEAR(fieldValue(first, FieldY03s), 120.0, 0.5);
        EXPECT_FALSE(first.window->findChild<ElevationDialog*>()) << "closed once in use";
        first.window->close();
    }
    Program second(std::nullopt, settings);
    EXPECT_TRUE(second.window->terrainNote()->text().startsWith(
        QStringLiteral("Loading the terrain from the elevation data ridge.asc")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state.terrain.inUse(); }, 20000));
    second.settle();
    EXPECT_TRUE(second.services.warnings.empty());
    EXPECT_NEAR(fieldValue(second, FieldRange), 33352.4, 0.5);
    EXPECT_NEAR(fieldValue(second, FieldY01s), 130.0, 0.5);
}

// Voids filled from their neighbours: the note says how many.
TEST(ElevationWindow, TheNoteCountsTheVoidsFilled) {
    Program program;
    program.settle();
    ElevationDialog* dialog = openDialog(program);
    ASSERT_NE(dialog, nullptr);
    fillOverTheRidge(program, dialog, writeRidgeGrid(program.dir, true));
    dialog->findChild<QCheckBox*>(QStringLiteral("fillVoids"))->setChecked(true);
    QTest::keyClick(entry(dialog, "rxHeight"), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.state.terrain.inUse(); }, 20000));
    program.settle();
    EXPECT_TRUE(
        program.window->terrainNote()->text().endsWith(QStringLiteral("ridge.asc (1 void filled)")))
        << program.window->terrainNote()->text().toStdString();
}

TEST(ElevationWindow, ABadEntryIsMarkedSaysWhyAndKeepsOkDisabled) {
    Program program;
    program.settle();
    ElevationDialog* dialog = openDialog(program);
    ASSERT_NE(dialog, nullptr);
    fillOverTheRidge(program, dialog, writeRidgeGrid(program.dir));
    const struct {
        const char* field;
        const char* text;
        const char* why; // the start of the dialog's message
    } rows[] = {
        {"txSite", "91,8.2", "Tx site: give latitude,longitude in degrees"},
        {"rxSite", "47.05,8.2", "Rx site: the two sites are the same point."},
        {"txHeight", "-3", "Tx antenna height: give metres above the ground"},
        {"kFactor", "0", "k-factor: give a positive number"},
        {"spacing", "0.01", "Spacing: 0.01 m needs more than 1000000 points"},
    };
    const QLabel* why = dialog->findChild<QLabel*>(QStringLiteral("entryProblem"));
    for (const auto& row : rows) {
        QLineEdit* field = entry(dialog, row.field);
        const QString good = field->text();
        typeInto(field, QString::fromLatin1(row.text));
        EXPECT_TRUE(marked(field)) << row.field;
        EXPECT_TRUE(why->text().startsWith(QString::fromLatin1(row.why)))
            << why->text().toStdString();
        EXPECT_FALSE(okButton(dialog)->isEnabled()) << row.field;
        typeInto(field, good);
        EXPECT_FALSE(marked(field)) << row.field;
        EXPECT_TRUE(okButton(dialog)->isEnabled()) << row.field;
    }
}

TEST(ElevationWindow, ACancelledOrFailedLoadKeepsTheTerrainAndTheEntries) {
    Program program;
    program.settle();
    program.services.openAnswer = [&] {
        const QString path = program.dir.filePath(QStringLiteral("hill.csv"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write("d (km),h (m)\n0,100\n1,180\n2,110\n");
        }
        return path;
    }();
    program.window->commandAction(IDM_TERRAIN_PROFILE)->trigger();
    program.settle();
    ASSERT_TRUE(program.state.terrain.inUse());

    // A tarsel-report that takes its time.
    const QString slow = program.dir.filePath(QStringLiteral("slow-report"));
    QFile script(slow);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho 'tarsel-report: progress: sampling 5/100' >&2\nexec sleep 60\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    program.state.reportProgram = slow;

    ElevationDialog* dialog = openDialog(program);
    ASSERT_NE(dialog, nullptr);
    fillOverTheRidge(program, dialog, writeRidgeGrid(program.dir));
    QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    QDialog* progress = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            progress = program.window->findChild<QDialog*>(QStringLiteral("elevationProgress"));
            return progress != nullptr && progress->isVisible() &&
                   progress->findChild<QLabel*>()->text().contains(QStringLiteral("5 of 100"));
        },
        10000));
    QTest::mouseClick(progress->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel),
                      Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return okButton(dialog)->isEnabled(); }, 5000));
    EXPECT_TRUE(program.services.warnings.empty());
    EXPECT_EQ(program.state.terrain.name, QStringLiteral("hill.csv"));
    EXPECT_EQ(entry(dialog, "txSite")->text(), QStringLiteral("47.05,8.2"));

    // The real one, on a path off the data: its message in a warning.
    dialog->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    program.state.reportProgram.clear();
    dialog = openDialog(program);
    ASSERT_NE(dialog, nullptr);
    fillOverTheRidge(program, dialog, writeRidgeGrid(program.dir));
    typeInto(entry(dialog, "txSite"), QStringLiteral("46.5,8.2"));
    QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program.services.warnings.empty(); }, 20000));
    EXPECT_NE(program.services.warnings[0].text.find("no elevation data"), std::string::npos)
        << program.services.warnings[0].text;
    EXPECT_EQ(program.state.terrain.name, QStringLiteral("hill.csv"));
    EXPECT_TRUE(dialog->isVisible());
}

} // namespace
} // namespace tarsel::testing
