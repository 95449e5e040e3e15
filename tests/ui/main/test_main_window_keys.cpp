// The desktop's usual keys in the main window: shown beside the menu items
// whose texts stay as they are, and taking the items' own paths.
#include "test_main_window_harness.h"

#include "ui/common/commands.h"
#include "ui/common/help_window_view.h"

#include <QAction>
#include <QKeySequence>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

// Shows the window and makes it the active one, so its keys reach it.
void activate(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

struct ShortcutRow {
    int id;
    const char* text; // the item's own text, unchanged
    QKeyCombination key;
};

TEST(MainWindowKeys, ItemsShowTheirKeysBesideUnchangedTexts) {
    const ShortcutRow rows[] = {
        {IDM_EXIT, "E&xit", Qt::CTRL | Qt::Key_Q},
        {IDM_HELP_CONTENTS, "&Contents", QKeyCombination(Qt::Key_F1)},
    };
    Program program;
    for (const ShortcutRow& row : rows) {
        QAction* action = program.window->commandAction(row.id);
        ASSERT_NE(action, nullptr) << row.text;
        EXPECT_EQ(action->text(), QString::fromLatin1(row.text));
        EXPECT_EQ(action->shortcut(), QKeySequence(row.key)) << row.text;
    }
}

TEST(MainWindowKeys, CtrlQClosesThroughTheExitPathAndSavesOnce) {
    for (const bool fromTextWindow : {false, true}) {
        Program program;
        program.settle();
        activate(program.window.get());
        QWidget* target = program.window.get();
        if (fromTextWindow) { // the key works in the program's other windows too
            program.window->commandAction(IDM_TEXT_WINDOW)->trigger();
            target = program.state.textWindow.data();
            activate(target);
        }
        program.state.params.Pt.value = 7;
        QTest::keyClick(target, Qt::Key_Q, Qt::ControlModifier);
        program.settle();
        EXPECT_FALSE(program.window->isVisible()) << fromTextWindow;
        EXPECT_TRUE(program.state.textWindow.isNull());
        EXPECT_TRUE(program.settingsText().contains(QStringLiteral("Pt=7 ")));

        EXPECT_FALSE(program.savedAgainOnDestruction());
        EXPECT_TRUE(program.services.warnings.empty());
    }
}

TEST(MainWindowKeys, F1OpensTheHelpOrSaysWhereItLooked) {
    Program program;
    program.settle();
    activate(program.window.get());
    QTest::keyClick(program.window.get(), Qt::Key_F1);
    const bool opened = program.window->helpWindow() != nullptr;
    EXPECT_NE(opened, program.services.warnings.size() == 1u);
    if (opened) {
        program.window->helpWindow()->close();
    }
}

} // namespace
} // namespace tarsel::testing
