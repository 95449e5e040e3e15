// The program as started: menu, first recalculation and layout, normal size,
// the recalculate command and the help.
#include "test_main_window_harness.h"

#include "ui/common/commands.h"
#include "ui/common/help_window.h"
#include "ui/common/help_window_view.h"

#include <QAction>
#include <QDir>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

TEST(MainWindowStart, TitleAndFirstCommandsRecalculationBeforeLayout) {
    Program program;
    EXPECT_EQ(program.window->windowTitle(), QStringLiteral("Movrane"));
    EXPECT_FALSE(program.window->windowIcon().isNull());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(program.line(i), QStringLiteral("Ok")) << "line " << i;
    }
    program.settle();
    ASSERT_GE(program.log.ids.size(), 2u);
    EXPECT_EQ(program.log.ids[0], IDM_RECALC_ALL);
    EXPECT_EQ(program.log.ids[1], IDM_RELAYOUT);
    EXPECT_FALSE(program.state.bNormalSize);
    EXPECT_TRUE(program.state.bFieldsRefreshed);
}

TEST(MainWindowStart, WithoutSettingsFileDefaultsAndTheirResults) {
    Program program;
    program.settle();
    EXPECT_EQ(program.state.params.Range.value, 100.0);
    EXPECT_EQ(program.state.params.X12s.value, 50.0);
    EXPECT_EQ(program.state.params.X23s.value, 50.0);
    // Default link: margin 17.7463 dB, maximum range 771.467 m, no diffraction.
    EXPECT_EQ(program.line(0), QStringLiteral("Max. range (exc. diffr. loss) =    771.467 m"));
    EXPECT_EQ(program.line(1),
              QStringLiteral("Margin at nom. range (exc. diffr. loss) =    17.7463 dB"));
    EXPECT_EQ(program.line(2), QStringLiteral("No diffraction"));
    EXPECT_EQ(program.diagram()->field(FieldFcent)->text(), QStringLiteral("2.45e+009"));
    EXPECT_TRUE(program.services.warnings.empty());
}

TEST(MainWindowStart, EditFontIsTheSystemFontWithoutSettings) {
    Program program;
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    EXPECT_EQ(QString::fromUtf8(program.state.fonts.lfEd.lfFaceName), system.family().left(31));
    EXPECT_EQ(program.state.editFont.family(), system.family());
    EXPECT_EQ(program.diagram()->field(0)->font().family(), system.family());
}

TEST(MainWindowStart, ReportMetricsAndScrollStateAreSet) {
    Program program;
    EXPECT_GT(program.state.report.view.charWidth, 0);
    EXPECT_GT(program.state.report.view.lineHeight, 0);
    EXPECT_GE(program.state.report.view.lineStep, program.state.report.view.lineHeight);
    EXPECT_EQ(program.state.report.view.bandHeight, 100);
    EXPECT_EQ(program.state.hScrollMax, 132);
    EXPECT_EQ(program.state.vScrollMax, 48);
    EXPECT_EQ(program.state.report.reportLastRow, 48);
    EXPECT_TRUE(program.state.measuringFont.fixedPitch());
}

TEST(MainWindowLayout, NormalSizeGivesTheDiagramItsOwnSize) {
    Program program;
    program.settle();
    const int s = program.window->statusPaneHeight();
    EXPECT_GT(s, 0);
    EXPECT_EQ(program.diagram()->geometry(), QRect(0, 0, 632, 378));
    EXPECT_EQ(program.status()->geometry(), QRect(0, 378, 632, s));
    EXPECT_EQ(program.window->clientArea()->size(), QSize(632, 378 + s));
}

TEST(MainWindowLayout, NormalWindowSizeRestoresSizeAndKeepsTopLeft) {
    Program program;
    program.settle();
    program.window->resize(900, 700);
    program.settle();
    EXPECT_EQ(program.diagram()->width(), 900); // the panes follow the window
    const QPoint topLeft = program.window->pos();

    program.window->commandAction(IDM_NORMAL_SIZE)->trigger();
    program.settle();
    EXPECT_EQ(program.diagram()->size(), QSize(632, 378));
    EXPECT_EQ(program.window->pos(), topLeft);
    EXPECT_FALSE(program.state.bNormalSize);
}

TEST(MainWindowLayout, MinimisedWindowIsLeftAlone) {
    Program program;
    program.settle();
    program.window->resize(800, 600);
    program.settle();
    program.window->setWindowState(Qt::WindowMinimized);
    program.state.bNormalSize = true;
    program.window->command(IDM_RELAYOUT);
    EXPECT_TRUE(program.state.bNormalSize); // nothing done
    EXPECT_EQ(program.diagram()->width(), 800);

    program.window->setWindowState(Qt::WindowNoState); // restored: laid out again
    program.settle();
    EXPECT_EQ(program.diagram()->size(), QSize(632, 378));
}

struct MenuRow {
    int id;
    const char* menu;
    const char* text;
};

TEST(MainWindowMenu, ItemsCarryTheirTextsAndIds) {
    const MenuRow rows[] = {
        {IDM_TEXT_WINDOW, "&File", "&Text Window"},
        {IDM_EXIT, "&File", "E&xit"},
        {IDM_RECALC, "", "&Recalculate!"}, // on the menu bar itself
        {IDM_LOS, "&Params", "&LOS"},
        {IDM_DIFFRACTION, "&Params", "&Diffraction"},
        {IDM_FONT_GRAPHICS, "&Font", "Graphics area font"},
        {IDM_FONT_CONTROL, "&Font", "Control/Status area font"},
        {IDM_FONT_EDIT, "&Font", "Edit Boxes font"},
        {IDM_NORMAL_SIZE, "&Options", "Normal window size"},
        {IDM_GRAPH_RANGE, "&Graphs", "&Range"},
        {IDM_GRAPH_HEIGHT, "&Graphs", "&Obstruction Height"},
        {IDM_GRAPH_PROFILE, "&Graphs", "Path &Profile"},
        {IDM_GRAPH_SWEEP, "&Graphs", "&Sweep..."},
        {IDM_TERRAIN_PROFILE, "&Graphs", "Load &Terrain Profile..."},
        {IDM_TERRAIN_DEM, "&Graphs", "Terrain from Elevation &Data..."},
        {IDM_TERRAIN_CLEAR, "&Graphs", "&Clear Terrain"},
        {IDM_EXPORT_PDF, "&Graphs", "&Export PDF Report..."},
        {IDM_HELP_CONTENTS, "&Help", "&Contents"},
        {IDM_ABOUT, "&Help", "&About"},
    };
    Program program;
    QStringList topLevel;
    for (QAction* action : program.window->menuBar()->actions()) {
        topLevel << action->text();
    }
    EXPECT_EQ(topLevel,
              QStringList({"&File", "&Recalculate!", "&Params", "&Options", "&Graphs", "&Help"}));
    for (const MenuRow& row : rows) {
        QAction* action = program.window->commandAction(row.id);
        ASSERT_NE(action, nullptr) << row.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(row.text)) << row.id;
        EXPECT_EQ(action->data().toInt(), row.id);
        if (*row.menu == '\0') {
            EXPECT_TRUE(program.window->menuBar()->actions().contains(action));
        } else {
            bool found = false;
            for (QObject* owner : action->associatedObjects()) {
                if (auto* menu = qobject_cast<QMenu*>(owner)) {
                    found = found || menu->title() == QString::fromUtf8(row.menu);
                }
            }
            EXPECT_TRUE(found) << row.text;
        }
    }
}

TEST(MainWindowCommands, RecalculateRewritesFieldsUndoingUnconfirmedTyping) {
    Program program;
    program.settle();
    QLineEdit* power = program.diagram()->field(FieldPt);
    power->setText(QStringLiteral("99"));
    program.window->commandAction(IDM_RECALC)->trigger();
    EXPECT_FALSE(program.state.bFieldsRefreshed);
    program.settle();
    EXPECT_EQ(power->text(), QStringLiteral("-10"));
    EXPECT_EQ(program.state.params.Pt.value, -10.0);
    EXPECT_TRUE(program.state.bFieldsRefreshed);
}

TEST(MainWindowCommands, EnterCommitsTheFieldsAndTheLinesFollow) {
    Program program;
    program.settle();
    QLineEdit* power = program.diagram()->field(FieldPt);
    power->setFocus();
    power->selectAll();
    QTest::keyClicks(power, QStringLiteral("-5"));
    QTest::keyClick(power, Qt::Key_Return);
    program.settle();
    EXPECT_EQ(program.state.params.Pt.value, -5.0);
    // 5 dB more power: 5 dB more margin than the default link's 17.7463 dB.
    EXPECT_EQ(program.line(1),
              QStringLiteral("Margin at nom. range (exc. diffr. loss) =    22.7463 dB"));
    // The field last typed in has the focus with its text selected.
    EXPECT_EQ(QApplication::focusWidget(), power);
    EXPECT_EQ(power->selectedText(), QStringLiteral("-5"));
}

TEST(MainWindowCommands, UnknownCommandIsIgnored) {
    Program program;
    program.settle();
    const LinkParams before = program.state.params;
    program.window->command(4242);
    program.settle();
    EXPECT_EQ(program.state.params.Pt.value, before.Pt.value);
    EXPECT_TRUE(program.window->isVisible());
}

TEST(MainWindowHelp, LookedUpBesideTheProgramThenInTheDataFolder) {
    QTemporaryDir dir;
    const QStringList candidates = helpFileCandidates(dir.path());
    ASSERT_EQ(candidates.size(), 2);
    EXPECT_EQ(candidates[0], QDir(dir.path()).filePath(QStringLiteral("Tarsel.html")));
    // Relative to the executable, so a moved installation still finds it.
    EXPECT_EQ(candidates[1], QDir::cleanPath(dir.path() + "/../share/tarsel/Tarsel.html"));
    EXPECT_EQ(findHelpFile({dir.filePath("none.html")}), QString());

    QFile file(dir.filePath(QStringLiteral("Tarsel.html")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><h1>Found</h1></body></html>");
    file.close();
    EXPECT_EQ(findHelpFile(candidates), candidates[0]);
}

TEST(MainWindowHelp, MissingFileNamesEveryPlaceLookedIn) {
    Program program;
    program.settle();
    const QStringList candidates = helpFileCandidates(QCoreApplication::applicationDirPath());
    if (!findHelpFile(candidates).isEmpty()) {
        GTEST_SKIP() << "a help file is installed";
    }
    program.window->commandAction(IDM_HELP_CONTENTS)->trigger();
    ASSERT_EQ(program.services.warnings.size(), 1u);
    for (const QString& path : candidates) {
        EXPECT_NE(program.services.warnings[0].text.find(path.toStdString()), std::string::npos);
    }
    EXPECT_EQ(program.window->helpWindow(), nullptr);
}

TEST(MainWindowHelp, ShippedHelpOpensAtItsTop) {
    const QString shipped = QStringLiteral(TARSEL_TEST_DATA_DIR "/../../resources/Tarsel.html");
    ASSERT_TRUE(QFileInfo(shipped).isFile());
    HelpWindow* help = openHelpWindow(shipped);
    ASSERT_NE(help, nullptr);
    const QString text = help->browser()->toPlainText();
    for (const char* needle : {"Press Enter when finished changing an entry", "Tarsel.ini",
                               "knife-edge", "Propagation Law", "Input Intercept"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(needle))) << needle;
    }
    EXPECT_EQ(help->browser()->textCursor().position(), 0);
    help->close();
}

} // namespace
} // namespace tarsel::testing
