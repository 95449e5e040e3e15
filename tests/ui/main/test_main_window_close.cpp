// Closing the program saves the inputs exactly once; a damaged settings file
// is reported value by value at start.
#include "test_main_window_harness.h"

#include "engine/recalculate.h"
#include "entry/number_format.h"
#include "settings/file_lock.h"
#include "settings/settings.h"
#include "ui/common/commands.h"
#include "ui/main/entry_commit.h"
#include "ui/text/text_window.h"

#include <QAction>
#include <cstring>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

TEST(MainWindowClose, SavesTheInputsOnceAndClosesTheTextWindowFirst) {
    Program program;
    program.settle();
    program.window->commandAction(IDM_TEXT_WINDOW)->trigger();
    ASSERT_FALSE(program.state.textWindow.isNull());
    program.state.params.Pt.value = 7;
    program.window->close();
    EXPECT_TRUE(program.state.textWindow.isNull());
    const QString saved = program.settingsText();
    EXPECT_TRUE(saved.contains(QStringLiteral("[Tarsel]")));
    EXPECT_TRUE(saved.contains(QStringLiteral("Pt=7 ")));

    EXPECT_FALSE(program.savedAgainOnDestruction());
    EXPECT_TRUE(program.services.warnings.empty());
}

// Torn down without a close: no window is left to paint from the state.
TEST(MainWindowClose, DestructionTakesTheTextAndPlotWindowsAlong) {
    Program program;
    program.settle();
    program.window->commandAction(IDM_TEXT_WINDOW)->trigger();
    program.window->commandAction(IDM_GRAPH_RANGE)->trigger();
    program.settle();
    const QPointer<QWidget> text = program.state.textWindow;
    const QPointer<QWidget> plots = program.state.plotWindow;
    ASSERT_TRUE(text && plots);
    program.window.reset();
    EXPECT_TRUE(text.isNull());
    EXPECT_TRUE(plots.isNull());
}

TEST(MainWindowClose, ExitCommandClosesTheWindowAndSaves) {
    Program program;
    program.settle();
    program.window->commandAction(IDM_EXIT)->trigger();
    EXPECT_TRUE(program.window->isVisible()); // queued, like a posted close
    program.settle();
    EXPECT_FALSE(program.window->isVisible());
    EXPECT_TRUE(program.settingsText().contains(QStringLiteral("fcent=2.45e+009")));
}

TEST(MainWindowClose, FailedSaveIsReportedOnce) {
    QTemporaryDir dir;
    // The settings "folder" is a plain file: nothing can be written below it.
    QFile blocker(dir.filePath(QStringLiteral("notAFolder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Program program(std::nullopt, dir.filePath(QStringLiteral("notAFolder/Tarsel.ini")));
    program.settle();
    program.window->close();
    ASSERT_EQ(program.services.warnings.size(), 1u);
    EXPECT_NE(program.services.warnings[0].text.find("Error saving user .INI file"),
              std::string::npos);
    program.window.reset();
    EXPECT_EQ(program.services.warnings.size(), 1u);
}

// Another process holding the settings file locked: each window's save asks
// Retry or Cancel, naming the file; Cancel keeps the window and its values,
// and the next close, once the file is free, saves them.
TEST(MainWindowClose, LockedSettingsFileAsksRetryOrCancel) {
    using namespace std::chrono_literals;
    setLockWait(50ms);
    Program program("[Tarsel]\n");
    program.settle();
    program.window->commandAction(IDM_GRAPH_RANGE)->trigger();
    program.settle();
    ASSERT_FALSE(program.state.plotWindow.isNull());
    program.state.params.Pt.value = 7;
    const std::string path = program.state.settingsPath.toStdString();
    {
        const FileLock other(path);
        program.services.askAnswers = 1; // Retry once, then Cancel each box
        program.window->close();
        ASSERT_EQ(program.services.askTexts.size(), 3); // plot window twice, then main
        program.services.fontAnswer = LogFont{};
        program.window->commandAction(IDM_FONT_CONTROL)->trigger(); // one box, not one a key
        ASSERT_EQ(program.services.askTexts.size(), 4);
        for (const QString& text : program.services.askTexts) {
            EXPECT_TRUE(text.contains(program.state.settingsPath)) << text.toStdString();
        }
        EXPECT_TRUE(program.window->isVisible());
        EXPECT_FALSE(program.state.plotWindow.isNull());
        EXPECT_EQ(program.state.params.Pt.value, 7);
        EXPECT_EQ(program.settingsText(), QStringLiteral("[Tarsel]\n"));
    }
    program.window->close();
    program.settle();
    EXPECT_FALSE(program.window->isVisible());
    EXPECT_TRUE(program.state.plotWindow.isNull());
    EXPECT_TRUE(program.settingsText().contains(QStringLiteral("Pt=7 ")));
    EXPECT_TRUE(program.settingsText().contains(QStringLiteral("[Plots]")));
    EXPECT_TRUE(program.services.warnings.empty());
    setLockWait(5000ms);
}

struct BadValueRow {
    const char* line;  // in section [Tarsel]
    const char* shown; // part of the warning text
};

TEST(MainWindowStartSettings, EachBadStoredValueWarnsOnceAndKeepsItsDefault) {
    // Rows in the order the file is read.
    const BadValueRow rows[] = {
        {"fcent=abc", "abc"},        // not a number
        {"Pt=500", "500"},           // above 120 dBW
        {"Bw=1e13", "1e13"},         // above 1e12 Hz
        {"Temp=-273.16", "-273.16"}, // just below absolute zero
    };
    std::string ini = "[Tarsel]\n";
    for (const BadValueRow& row : rows) {
        ini += std::string(row.line) + "\n";
    }
    ini += "Gr=9\n"; // a good value among them
    Program program(ini);
    program.settle();
    ASSERT_EQ(program.services.warnings.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Warning& warning = program.services.warnings[i];
        EXPECT_NE(warning.text.find(rows[i].shown), std::string::npos) << rows[i].line;
        // The file and the key to fix, under the text.
        const std::string key(rows[i].line, std::strchr(rows[i].line, '='));
        EXPECT_EQ(warning.detail, program.state.settingsPath.toStdString() + ", [Tarsel] " + key);
    }
    EXPECT_EQ(program.state.params.fcent.value, 2.45e9);
    EXPECT_EQ(program.state.params.Pt.value, -10.0);
    EXPECT_EQ(program.state.params.Temp.value, 290.0);
    EXPECT_EQ(program.state.params.Bw.value, 1e6);
    EXPECT_EQ(program.state.params.Gr.value, 9.0);
    EXPECT_EQ(program.diagram()->field(FieldGr)->text(), QStringLiteral("9"));
}

TEST(MainWindowStartSettings, WarningBoxDoesNotLetDefaultsOverwriteTheStoredValues) {
    const std::string ini = "[Tarsel]\nPt=abc\nRange=1234567\nGt=7.5\nbDiffract=1\n";
    // The warning box runs the queued commands while it is open, as a modal box does.
    Program program(ini, {}, true);
    program.settle();
    ASSERT_EQ(program.services.warnings.size(), 1u);

    // What the file means, read without any window.
    LinkParams stored;
    FontRecords fonts;
    struct : WarningSink {
        void warn(const Warning&) override {}
    } ignored;
    LoadSettings(program.state.settingsPath.toStdString(), stored, fonts, ignored);
    ASSERT_EQ(stored.Range.value, 1234567.0);
    QLineEdit expected;
    for (int index = 0; index < FieldCount; ++index) {
        ShowDoubleText(&expected, paramForField(stored, index)->value);
        EXPECT_EQ(program.diagram()->field(index)->text(), expected.text()) << index;
    }
    EXPECT_EQ(program.diagram()->field(FieldRange)->text(), QStringLiteral("1.23457e+006"));
    const auto lines = resultLineTexts(recalculate(stored), stored);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(program.line(i).toStdString(), lines[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_NE(program.line(2), QStringLiteral("No diffraction"));
    EXPECT_TRUE(program.status()->hillTypeButton()->isEnabled());
    EXPECT_TRUE(program.window->commandAction(IDM_DIFFRACTION)->isEnabled());
    EXPECT_TRUE(program.diagram()->field(FieldY02s)->isEnabled());

    // Enter commits what the boxes show: the stored values survive into the file.
    QLineEdit* gain = program.diagram()->field(FieldGt);
    gain->setFocus();
    QTest::keyClick(gain, Qt::Key_Return);
    program.settle();
    program.window->close();
    LinkParams saved;
    LoadSettings(program.state.settingsPath.toStdString(), saved, fonts, ignored);
    EXPECT_EQ(saved.Range.value, 1234570.0); // six digits, as every save
    EXPECT_EQ(saved.Gt.value, 7.5);
    EXPECT_EQ(saved.Pt.value, -10.0);
    EXPECT_EQ(saved.bDiffract, 1);
}

TEST(MainWindowStartSettings, TemperatureAtItsLowerBoundIsAccepted) {
    Program program(std::string("[Tarsel]\nTemp=-273.15\n"));
    program.settle();
    EXPECT_TRUE(program.services.warnings.empty());
    EXPECT_EQ(program.state.params.Temp.value, -273.15);
}

} // namespace
} // namespace tarsel::testing
