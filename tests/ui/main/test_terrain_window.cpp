// A terrain in the main window: loaded from a CSV file through the Graphs
// menu, its main obstacle as the hill, cleared again, kept in [Terrain] across
// a restart, and a lost source falling back to the single hill.
#include "test_main_window_harness.h"

#include "terrain/report_section.h"
#include "ui/common/commands.h"
#include "ui/main/terrain_analyser.h"
#include "ui/main/terrain_note.h"
#include "ui/text/text_window.h"
#include "ui/text/text_window_view.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

// A ridge at 3 km between two valleys, 5 km long.
constexpr const char* RidgeCsv = "d (km),h (m)\n0,100\n1,120\n2,180\n3,260\n4,150\n5,110\n";

QString writeProfile(const QTemporaryDir& dir, const char* name, const char* text) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text);
    }
    return path;
}

void loadTerrain(Program& program, const QString& path) {
    program.services.openAnswer = path;
    program.window->commandAction(IDM_TERRAIN_PROFILE)->trigger();
    program.settle();
}

QString fieldText(const Program& program, int field) {
    return program.diagram()->field(field)->text();
}

// The section of the settings file, from its header to the next one.
QString section(const QString& text, const QString& name) {
    const qsizetype start = text.indexOf(QLatin1Char('[') + name + QLatin1Char(']'));
    if (start < 0) {
        return {};
    }
    const qsizetype end = text.indexOf(QLatin1Char('['), start + 1);
    return text.mid(start, end < 0 ? -1 : end - start).trimmed();
}

TEST(TerrainWindow, GraphsMenuMnemonicsStayUnique) {
    Program program;
    auto* graphs = qobject_cast<QMenu*>(
        program.window->commandAction(IDM_TERRAIN_PROFILE)->associatedObjects().value(0));
    ASSERT_NE(graphs, nullptr);
    QSet<QChar> letters;
    for (QAction* action : graphs->actions()) {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("&(.)")).match(action->text());
        if (action->isSeparator()) {
            continue;
        }
        ASSERT_TRUE(match.hasMatch()) << action->text().toStdString();
        const QChar letter = match.captured(1).at(0).toLower();
        EXPECT_FALSE(letters.contains(letter)) << action->text().toStdString();
        letters.insert(letter);
    }
}

TEST(TerrainWindow, ACsvProfileSetsTheHillAndClearTerrainGivesTheUsersBack) {
    Program program;
    program.settle();
    EXPECT_FALSE(program.window->commandAction(IDM_TERRAIN_CLEAR)->isEnabled());
    loadTerrain(program, writeProfile(program.dir, "ridge.csv", RidgeCsv));

    ASSERT_TRUE(program.state.terrain.inUse());
    EXPECT_TRUE(program.services.warnings.empty());
    // The ridge is the hill; the antennas stand 2 m over the two valleys.
    const std::pair<int, const char*> derived[] = {
        {FieldRange, "5000"}, {FieldX12s, "3000"}, {FieldX23s, "2000"},
        {FieldY01s, "102"},   {FieldY03s, "112"},
    };
    for (const auto& [field, text] : derived) {
        EXPECT_EQ(fieldText(program, field), QString::fromUtf8(text)) << field;
        EXPECT_FALSE(program.diagram()->field(field)->isEnabled()) << field;
    }
    EXPECT_TRUE(fieldText(program, FieldY02s).startsWith(QStringLiteral("260.")));
    TerrainNote* note = program.window->terrainNote();
    EXPECT_TRUE(note->isVisibleTo(program.window.get()));
    EXPECT_TRUE(note->text().contains(QStringLiteral("ridge.csv")));
    EXPECT_FALSE(program.window->commandAction(IDM_LOS)->isEnabled());
    program.window->commandAction(IDM_TEXT_WINDOW)->trigger();
    auto* text = qobject_cast<TextWindow*>(program.state.textWindow.data());
    ASSERT_NE(text, nullptr);
    (void)text->view()->grab(); // the report drawn: its last row known
    text->view()->selectAllRows();
    EXPECT_TRUE(text->view()->selectedText().contains(QStringLiteral("\n\nTERRAIN:\n")))
        << text->view()->selectedText().right(300).toStdString();

    program.window->commandAction(IDM_TERRAIN_CLEAR)->trigger();
    program.settle();
    EXPECT_FALSE(program.state.terrain.inUse());
    EXPECT_EQ(fieldText(program, FieldRange), QStringLiteral("100"));
    EXPECT_EQ(fieldText(program, FieldX12s), QStringLiteral("50"));
    EXPECT_EQ(fieldText(program, FieldY01s), QStringLiteral("2"));
    EXPECT_TRUE(program.diagram()->field(FieldRange)->isEnabled());
    EXPECT_FALSE(note->isVisibleTo(program.window.get()));
    EXPECT_TRUE(program.window->commandAction(IDM_LOS)->isEnabled());
}

// Inputs changed while the path is worked out in the background: the result
// for the older ones is dropped, never shown; the newest arrive once, as a
// synchronous analysis gives them.
TEST(TerrainWindow, AResultForChangedInputsIsDroppedAndTheNewestArrive) {
    Program program;
    program.settle();
    loadTerrain(program, writeProfile(program.dir, "ridge.csv", RidgeCsv));
    QSignalSpy arrivals(program.window->terrainAnalyser(), &TerrainAnalyser::arrived);
    // A new frequency: its analysis starts and has not been taken when k changes.
    QLineEdit* frequency = program.diagram()->field(FieldFcent);
    frequency->selectAll();
    QTest::keyClicks(frequency, QStringLiteral("1e9"));
    QTest::keyClick(frequency, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(program.window.get(), CommandEvent::eventType());
    ASSERT_TRUE(program.window->terrainAnalyser()->busy());
    TerrainSource source = program.state.terrain.source;
    source.kFactor = 1.0;
    ASSERT_EQ(retakeTerrain(program.state, source), "");
    program.settle();

    EXPECT_EQ(arrivals.count(), 1);
    EXPECT_EQ(program.state.params.fcent.value, 1e9);
    terrain::PathAnalysis expected;
    ASSERT_EQ(terrain::analysePath(*program.state.terrain.profile, pathSetup(source),
                                   program.state.params, expected),
              "");
    EXPECT_EQ(program.state.terrain.reportSection,
              terrain::terrainReportSection(*program.state.terrain.profile, expected));
    EXPECT_EQ(fieldText(program, FieldY02s), QString::number(expected.params.y02s.value, 'g', 6));
    EXPECT_TRUE(program.services.warnings.empty());
}

TEST(TerrainWindow, ABadProfileIsRefusedNamingItsLineAndChangesNothing) {
    Program program;
    program.settle();
    loadTerrain(program, writeProfile(program.dir, "ridge.csv", RidgeCsv));
    loadTerrain(program, writeProfile(program.dir, "bad.csv", "d,h\n0,1\n10,x\n20,3\n"));
    ASSERT_EQ(program.services.warnings.size(), 1u);
    EXPECT_NE(program.services.warnings[0].text.find("bad.csv:3"), std::string::npos)
        << program.services.warnings[0].text;
    EXPECT_EQ(program.state.terrain.name, QStringLiteral("ridge.csv"));
    EXPECT_EQ(fieldText(program, FieldX12s), QStringLiteral("3000"));
}

TEST(TerrainWindow, TheTerrainSurvivesARestartAndTarselKeepsTheUsersHill) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Tarsel.ini"));
    QString plainTarsel;
    {
        Program plain(std::nullopt, settings);
        plain.settle();
        plain.window->close();
        plainTarsel = section(plain.settingsText(), QStringLiteral("Tarsel"));
    }
    {
        Program first(std::nullopt, settings);
        first.settle();
        loadTerrain(first, writeProfile(dir, "ridge.csv", RidgeCsv));
        first.window->close();
        EXPECT_EQ(section(first.settingsText(), QStringLiteral("Tarsel")).toStdString(),
                  plainTarsel.toStdString());
    }
    Program second(std::nullopt, settings);
    second.settle();
    EXPECT_TRUE(second.services.warnings.empty());
    ASSERT_TRUE(second.state.terrain.inUse());
    EXPECT_EQ(fieldText(second, FieldX12s), QStringLiteral("3000"));
}

TEST(TerrainWindow, AMissingSourceWarnsAndFallsBackToTheSingleHill) {
    const struct {
        const char* terrain; // the [Terrain] section
        const char* kind;    // as the file keeps it
    } rows[] = {
        {"[Terrain]\nSource=profile\nProfile=/nonexistent/ridge.csv\n", "Source=profile"},
        {"[Terrain]\nSource=elevation\nRasters=1\nRaster1=/nonexistent/ridge.csv\n"
         "From=47,8\nTo=47.1,8\n",
         "Source=elevation"}, // loaded after start-up, in the background
    };
    for (const auto& row : rows) {
        Program program(std::string("[Tarsel]\nX12s=40\nX23s=60\n") + row.terrain);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !program.services.warnings.empty(); }, 20000));
        program.settle();
        ASSERT_EQ(program.services.warnings.size(), 1u);
        const Warning& warning = program.services.warnings[0];
        EXPECT_NE(warning.text.find("/nonexistent/ridge.csv"), std::string::npos) << warning.text;
        EXPECT_NE(warning.text.find("single hill"), std::string::npos);
        EXPECT_NE(warning.detail.find(", [Terrain] Source"), std::string::npos) << warning.detail;
        EXPECT_FALSE(program.state.terrain.inUse());
        EXPECT_FALSE(program.window->terrainNote()->isVisibleTo(program.window.get()));
        EXPECT_EQ(fieldText(program, FieldX12s), QStringLiteral("40"));
        // Nothing is lost: the file still names the terrain for when it is back.
        program.window->close();
        EXPECT_TRUE(program.settingsText().contains(QString::fromLatin1(row.kind)));
    }
}

} // namespace
} // namespace tarsel::testing
