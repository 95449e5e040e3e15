// The parameter dialogs driven through their boxes and buttons.

#include "test_dialog_harness.h"

#include "ui/dialogs/dialog_params.h"
#include "ui/dialogs/dialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>

namespace tarsel::dialogs_test {
namespace {

QLineEdit* box(QDialog& dialog, int id) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
}
QPushButton* button(QDialog& dialog, int id) {
    return dialog.findChild<QPushButton*>(QStringLiteral("id%1").arg(id));
}
void type(QDialog& dialog, int id, const char* text) {
    QLineEdit* edit = box(dialog, id);
    ASSERT_NE(edit, nullptr) << id;
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromLatin1(text));
}
void click(QDialog& dialog, int id) {
    QPushButton* b = button(dialog, id);
    ASSERT_NE(b, nullptr) << id;
    QTest::mouseClick(b, Qt::LeftButton);
}
std::string shown(QDialog& dialog, int id) {
    return box(dialog, id)->text().toStdString();
}

constexpr int OK = 1, CANCEL = 2, RECALCULATE = 3;

TEST(LosParamsDialog, OkWithoutChangeRewritesSixDigitValues) {
    Harness h;
    h.state.params.Range.value = 1234567.8;
    h.state.params.X12s.value = 1234567.8 / 2;
    h.state.params.X23s.value = 1234567.8 / 2;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    EXPECT_EQ(shown(dialog, 216), "1.23457e+006");
    click(dialog, OK);
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(h.state.params.Range.value, 1234570.0);
    EXPECT_EQ(h.state.params.X12s.value, 617285.0); // halves of the shown distances
    EXPECT_EQ(h.state.params.X23s.value, 617285.0);
    EXPECT_TRUE(h.services.warnings.empty());
}

TEST(LosParamsDialog, NewRangeSplitsInTheRatioOfTheShownDistances) {
    Harness h;
    h.state.params.Range.value = 400;
    h.state.params.X12s.value = 100;
    h.state.params.X23s.value = 300;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    EXPECT_EQ(shown(dialog, 222), "100");
    EXPECT_EQ(shown(dialog, 225), "300");
    EXPECT_FALSE(box(dialog, 222)->isEnabled()); // derived boxes only display
    type(dialog, 216, "200");
    click(dialog, RECALCULATE);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(h.state.params.X12s.value, 50.0);
    EXPECT_EQ(h.state.params.X23s.value, 150.0);
    EXPECT_EQ(shown(dialog, 222), "50");
    EXPECT_EQ(shown(dialog, 225), "150");
    // The next split uses the distances now shown: still 1:3.
    type(dialog, 216, "40");
    click(dialog, OK);
    EXPECT_EQ(h.state.params.X12s.value, 10.0);
    EXPECT_EQ(h.state.params.X23s.value, 30.0);
}

TEST(LosParamsDialog, BothDistancesZeroSplitTheRangeEqually) {
    Harness h;
    h.state.params.X12s.value = 0;
    h.state.params.X23s.value = 0;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    type(dialog, 216, "300");
    click(dialog, OK);
    EXPECT_EQ(h.state.params.X12s.value, 150.0);
    EXPECT_EQ(h.state.params.X23s.value, 150.0);
}

TEST(LosParamsDialog, RejectedBoxStopsTheCheckAfterStoringEarlierOnes) {
    Harness h;
    const double gtAtOpening = h.state.params.Gt.value;
    const double grAtOpening = h.state.params.Gr.value;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    type(dialog, 201, "1e9");
    type(dialog, 203, "abc");
    type(dialog, 206, "7");       // after the rejected box: never read
    h.state.params.Gt.value = 99; // changed meanwhile: the rejection restores the opening value
    click(dialog, OK);
    EXPECT_EQ(h.state.params.fcent.value, 1e9);
    EXPECT_EQ(h.state.params.Gt.value, gtAtOpening);
    EXPECT_EQ(h.state.params.Gr.value, grAtOpening);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text, "Invalid number format: abc");
    EXPECT_EQ(h.services.warnings[0].icon, WarningIcon::Warning);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(shown(dialog, 203), "abc"); // the rejected text stays for correction
    EXPECT_TRUE(h.mainWindow.commands.empty());
}

TEST(LosParamsDialog, OnlyTheFirstNineteenCharactersAreRead) {
    Harness h;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    type(dialog, 201, "1000000000000000000xyz");           // 19 digits, then letters
    EXPECT_EQ(shown(dialog, 201), "1000000000000000000x"); // the box takes 20
    click(dialog, OK);
    EXPECT_TRUE(h.services.warnings.empty());
    EXPECT_EQ(h.state.params.fcent.value, 1e18);
}

TEST(LosParamsDialog, RecalculateThenCancelKeepsTheStoredValues) {
    Harness h;
    h.state.bFieldsRefreshed = true;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    type(dialog, 202, "12.5");
    click(dialog, RECALCULATE);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(h.state.bFieldsRefreshed);
    h.deliverPosted();
    EXPECT_EQ(h.mainWindow.commands, std::vector<int>{IDM_RECALC_ALL});
    click(dialog, CANCEL);
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(h.state.params.Pt.value, 12.5);
    h.deliverPosted();
    EXPECT_EQ(h.mainWindow.commands.size(), 1u); // Cancel asks for nothing
}

// OK is available exactly while the box last changed holds text.
TEST(LosParamsDialog, OkFollowsTheBoxLastChanged) {
    struct Row {
        int box;
        const char* text;
        bool okEnabled;
    };
    // clang-format off
    const Row rows[] = {
        {202, "",  false}, // emptied
        {202, "5", true},  // typed into again
        {202, "",  false}, // emptied again
        {203, "1", true},  // another box changed: only that box counts
        {222, "",  true},  // a derived box is not watched
    };
    // clang-format on
    Harness h;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    for (const Row& row : rows) {
        if (row.box == 222) {
            box(dialog, 222)->setText(QString());
        } else {
            type(dialog, row.box, row.text);
        }
        EXPECT_EQ(button(dialog, OK)->isEnabled(), row.okEnabled) << row.box << " '" << row.text;
        EXPECT_TRUE(button(dialog, RECALCULATE)->isEnabled());
        EXPECT_TRUE(button(dialog, CANCEL)->isEnabled());
    }
}

TEST(LosParamsDialog, EmptyBoxReadsAsZeroOnRecalculate) {
    Harness h;
    LosParamsDialog dialog(h.state, nullptr);
    dialog.show();
    type(dialog, 202, "");
    click(dialog, RECALCULATE);
    EXPECT_TRUE(h.services.warnings.empty());
    EXPECT_EQ(h.state.params.Pt.value, 0.0);
}

TEST(SingDiffParamsDialog, OkSetsTheRangeFromTheDistances) {
    Harness h;
    SingDiffParamsDialog dialog(h.state, nullptr);
    dialog.show();
    type(dialog, 246, "120");
    type(dialog, 248, "80");
    click(dialog, OK);
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(h.state.params.Range.value, 200.0);
    EXPECT_EQ(shown(dialog, 226), "200");
}

TEST(SingDiffParamsDialog, DistancesOverflowingTheRangeAreRefused) {
    Harness h;
    SingDiffParamsDialog dialog(h.state, nullptr);
    dialog.show();
    type(dialog, 246, "1e308");
    type(dialog, 248, "1e308");
    click(dialog, OK);
    EXPECT_EQ(dialog.result(), 0); // stays open
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text,
              "Number inf out of range:[                   0,        1.79769e+308]");
    EXPECT_EQ(h.state.params.X12s.value, 50.0);
    EXPECT_EQ(h.state.params.X23s.value, 50.0);
    EXPECT_EQ(h.state.params.Range.value, 100.0);
    EXPECT_EQ(shown(dialog, 226), "100");
}

TEST(SingDiffParamsDialog, RoughThenCancelKeepsTheHillType) {
    Harness h;
    h.state.params.nHillType = 0;
    SingDiffParamsDialog dialog(h.state, nullptr);
    dialog.show();
    auto* smooth = dialog.findChild<QRadioButton*>(QStringLiteral("id239"));
    auto* rough = dialog.findChild<QRadioButton*>(QStringLiteral("id240"));
    ASSERT_TRUE(smooth && rough);
    EXPECT_TRUE(smooth->isChecked());
    QTest::mouseClick(rough, Qt::LeftButton);
    EXPECT_EQ(h.state.params.nHillType, 1);
    EXPECT_TRUE(rough->isChecked());
    EXPECT_FALSE(smooth->isChecked());
    click(dialog, CANCEL);
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(h.state.params.nHillType, 1);
    h.deliverPosted();
    EXPECT_TRUE(h.mainWindow.commands.empty());
}

TEST(SingDiffParamsDialog, OpensWithRoughCheckedForAnyNonZeroHillType) {
    Harness h;
    h.state.params.nHillType = 7;
    SingDiffParamsDialog dialog(h.state, nullptr);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("id240"))->isChecked());
}

TEST(TextOptionsDialog, ColumnSpacingBounds) {
    struct Row {
        const char* text;
        int stored; // XColWid afterwards
        const char* warning;
    };
    // clang-format off
    const Row rows[] = {
        {"10",   10, ""},                                                                   // lower bound
        {"20",   20, ""},                                                                   // upper bound
        {"9",    13, "Number 9 out of range:[                  10,                  20]"},  // below
        {"21",   13, "Number 21 out of range:[                  10,                  20]"}, // above
        {"12.5", 13, "Invalid number format: 12.5"},                                        // not an integer
    };
    // clang-format on
    for (const Row& row : rows) {
        Harness h;
        ASSERT_EQ(h.state.params.XColWid.value, 13);
        TextOptionsDialog dialog(h.state, nullptr);
        dialog.show();
        type(dialog, 200, row.text);
        click(dialog, OK);
        EXPECT_EQ(h.state.params.XColWid.value, row.stored) << row.text;
        const bool rejected = row.warning[0] != '\0';
        EXPECT_EQ(dialog.isVisible(), rejected) << row.text;
        if (rejected) {
            ASSERT_EQ(h.services.warnings.size(), 1u) << row.text;
            EXPECT_EQ(h.services.warnings[0].text, row.warning);
        } else {
            EXPECT_TRUE(h.services.warnings.empty()) << row.text;
        }
    }
}

TEST(TextOptionsDialog, OutOfRangeSettingIsRejectedAtTheFirstOk) {
    Harness h;
    h.state.params.XColWid.value = 50; // from a settings file, never checked
    TextOptionsDialog dialog(h.state, nullptr);
    dialog.show();
    click(dialog, OK);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text,
              "Number 50 out of range:[                  10,                  20]");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(h.state.params.XColWid.value, 50);
}

// The Run functions run the dialog modally and return its end code.
TEST(RunDialogs, EndCodes) {
    struct Row {
        const char* name;
        int (*run)(AppState&, QWidget*);
        int key; // 0: click OK
        int expected;
    };
    // clang-format off
    const Row rows[] = {
        {"LOS OK",             RunLosParamsDialog,      0,              1},
        {"LOS Escape",         RunLosParamsDialog,      Qt::Key_Escape, 0},
        {"diffraction OK",     RunSingDiffParamsDialog, 0,              1},
        {"diffraction Escape", RunSingDiffParamsDialog, Qt::Key_Escape, 0},
        {"options OK",         RunTextOptionsDialog,    0,              1},
        {"options Escape",     RunTextOptionsDialog,    Qt::Key_Escape, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        Harness h;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (row.key == 0) {
                click(*dialog, OK);
            } else {
                QTest::keyClick(dialog, static_cast<Qt::Key>(row.key));
            }
        });
        EXPECT_EQ(row.run(h.state, &h.mainWindow), row.expected) << row.name;
    }
}

TEST(RunDialogs, RecalculationRunsWhileTheDialogStaysOpen) {
    Harness h;
    h.mainWindow.show();
    std::vector<int> seenBeforeClose;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        click(*dialog, RECALCULATE);
        QCoreApplication::processEvents();
        seenBeforeClose = h.mainWindow.commands;
        click(*dialog, CANCEL);
    });
    EXPECT_EQ(RunLosParamsDialog(h.state, &h.mainWindow), 0);
    EXPECT_EQ(seenBeforeClose, std::vector<int>{IDM_RECALC_ALL});
}

} // namespace
} // namespace tarsel::dialogs_test
