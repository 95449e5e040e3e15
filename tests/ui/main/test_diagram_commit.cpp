// Reading the entry fields back: Enter and a click on the diagram commit all
// fields, the range follows the two distances and back, bad text is reported
// and changes nothing.
#include "test_diagram_harness.h"

#include "engine/link_params.h"
#include "ui/common/commands.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace tarsel {
namespace {

using testing::DiagramHarness;

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

TEST(DiagramCommit, EnterCommitsEveryFieldAndPostsOneRecalculation) {
    DiagramHarness h;
    h.state.bFieldsRefreshed = true;
    h.type(FieldFcent, "9e8"); // typed, no Enter
    h.type(FieldPt, "3");
    QSignalSpy returnPressed(h.box(FieldPt), &QLineEdit::returnPressed);
    QTest::keyClick(h.box(FieldPt), Qt::Key_Return);

    EXPECT_EQ(h.state.params.Pt.value, 3.0);
    EXPECT_EQ(h.state.params.fcent.value, 9e8); // committed by Enter in another box
    EXPECT_FALSE(h.state.bFieldsRefreshed);
    EXPECT_EQ(h.postedCommands(), std::vector<int>{IDM_RECALC_ALL});
    EXPECT_EQ(returnPressed.count(), 0); // Enter never reaches the box
    EXPECT_TRUE(h.services.warnings.empty());
}

TEST(DiagramCommit, KeypadEnterCommitsToo) {
    DiagramHarness h;
    h.type(FieldGt, "12.5");
    QTest::keyClick(h.box(FieldGt), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(h.state.params.Gt.value, 12.5);
    EXPECT_EQ(h.postedCommands(), std::vector<int>{IDM_RECALC_ALL});
}

TEST(DiagramCommit, CommitHandlerReceivesTheBoxInsteadOfTheDefaultCommit) {
    DiagramHarness h;
    std::vector<QLineEdit*> calls;
    h.pane->setCommitHandler([&calls](QLineEdit* box) { calls.push_back(box); });
    h.type(FieldGr, "7");
    QTest::keyClick(h.box(FieldGr), Qt::Key_Return);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], h.box(FieldGr));
    EXPECT_EQ(h.state.params.Gr.value, 6.0); // the handler decides what to commit
    EXPECT_TRUE(h.postedCommands().empty());
}

TEST(DiagramCommit, RangeAndDistancesStayCoupled) {
    struct Row {
        int field;
        const char* typed;
        double x12, x23, range; // before
        double wantX12, wantX23, wantRange;
        const char* box4;  // Range box afterwards
        const char* box11; // X12s box afterwards
        const char* box12; // X23s box afterwards
    };
    // clang-format off
    const Row rows[] = {
        {FieldX12s,  "5000", 1,    5000, 5001, 5000, 5000, 10000, "10000", "5000", "5000"}, // diagram edge case
        {FieldX23s,  "70",   50,   50,   100,  50,   70,   120,   "120",   "50",   "70"},   // Range = X12s + X23s
        {FieldRange, "8000", 1000, 3000, 4000, 2000, 6000, 8000,  "8000",  "2000", "6000"}, // ratio kept
        {FieldRange, "300",  50,   150,  200,  75,   225,  300,   "300",   "75",   "225"},  // ratio kept
        {FieldRange, "100",  50,   50,   100,  50,   50,   100,   "100",   "50",   "50"},   // same value rescales too
        {FieldRange, "10",   0,    0,    0,    5,    5,    10,    "10",    "5",    "5"},    // zero sum: halves
        {FieldRange, "0",    30,   10,   40,   0,    0,    0,     "0",     "0",    "0"},    // lower bound
        {FieldX12s,  "0",    0,    0,    7,    0,    0,    0,     "0",     "0",    "0"},    // range derived
    };
    // clang-format on
    for (const Row& r : rows) {
        DiagramHarness h;
        h.state.params.X12s.value = r.x12;
        h.state.params.X23s.value = r.x23;
        h.state.params.Range.value = r.range;
        h.pane->RefreshAllFields();
        h.box(r.field)->setText(QString::fromLatin1(r.typed));

        EXPECT_EQ(h.pane->CommitField(h.box(r.field)), 0) << r.typed;
        EXPECT_EQ(h.state.params.X12s.value, r.wantX12) << r.field << " " << r.typed;
        EXPECT_EQ(h.state.params.X23s.value, r.wantX23) << r.field << " " << r.typed;
        EXPECT_EQ(h.state.params.Range.value, r.wantRange) << r.field << " " << r.typed;
        EXPECT_EQ(text(h.box(FieldRange)), r.box4) << r.field << " " << r.typed;
        EXPECT_EQ(text(h.box(FieldX12s)), r.box11) << r.field << " " << r.typed;
        EXPECT_EQ(text(h.box(FieldX23s)), r.box12) << r.field << " " << r.typed;
    }
}

TEST(DiagramCommit, TypedDistanceWithEnterShowsTheNewRange) {
    DiagramHarness h;
    h.state.params.X23s.value = 5000;
    h.pane->RefreshAllFields();
    h.type(FieldX12s, "5000");
    QTest::keyClick(h.box(FieldX12s), Qt::Key_Return);
    EXPECT_EQ(h.state.params.Range.value, 10000.0);
    EXPECT_EQ(text(h.box(FieldRange)), "10000");
}

TEST(DiagramCommit, DistanceOverflowingTheRangeIsRefused) {
    DiagramHarness h;
    h.state.params.X23s.value = 1e308;
    h.pane->RefreshAllFields();
    h.box(FieldX12s)->setText("1e308");
    EXPECT_EQ(h.pane->CommitField(h.box(FieldX12s)), 1);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text,
              "Number inf out of range:[                   0,        1.79769e+308]");
    EXPECT_EQ(h.state.params.X12s.value, 50.0);
    EXPECT_EQ(h.state.params.Range.value, 100.0);
    EXPECT_EQ(text(h.box(FieldRange)), "100");
}

TEST(DiagramCommit, BadTextIsReportedAndLeavesTheParameter) {
    struct Row {
        int field;
        const char* typed;
        int result;          // of CommitField
        double want;         // parameter afterwards
        const char* warning; // nullptr: none
    };
    // Defaults: Pt -10 in [-300, 120], Temp 290 in [-273.15, 1e6], fcent 2.45e9.
    // clang-format off
    const Row rows[] = {
        {FieldPt,    "12a",     1, -10,     "Invalid number format: 12a"},                                 // not a number
        {FieldPt,    "1,5",     1, -10,     "Invalid number format: 1,5"},                                 // comma
        {FieldPt,    "121",     1, -10,     "Number 121 out of range:[                -300,                 120]"}, // above hi
        {FieldPt,    "120",     0, 120,     nullptr},                                                      // at hi
        {FieldPt,    "-300",    0, -300,    nullptr},                                                      // at lo
        {FieldTemp,  "-273.16", 1, 290,     "Number -273.16 out of range:[             -273.15,              1e+006]"}, // just below lo
        {FieldTemp,  "-273.15", 0, -273.15, nullptr},                                                      // at lo
        {FieldPt,    "",        1, -10,     nullptr},                                                      // empty: unchanged
        {FieldPt,    "   ",     0, 0,       nullptr},                                                      // blanks read 0
        {FieldPt,    " 12 ",    0, 12,      nullptr},                                                      // blanks around
    };
    // clang-format on
    for (const Row& r : rows) {
        DiagramHarness h;
        h.box(r.field)->setText(QString::fromLatin1(r.typed));
        EXPECT_EQ(h.pane->CommitField(h.box(r.field)), r.result) << "'" << r.typed << "'";
        EXPECT_EQ(paramForField(h.state.params, r.field)->value, r.want) << "'" << r.typed << "'";
        if (r.warning == nullptr) {
            EXPECT_TRUE(h.services.warnings.empty()) << "'" << r.typed << "'";
            continue;
        }
        ASSERT_EQ(h.services.warnings.size(), 1u) << "'" << r.typed << "'";
        EXPECT_EQ(h.services.warnings[0].text, r.warning);
        EXPECT_EQ(h.services.warnings[0].title, "Error");
        EXPECT_EQ(h.services.owners[0], h.main.get());
    }
}

TEST(DiagramCommit, OnlyNineteenCharactersAreRead) {
    struct Row {
        const char* typed;
        int result;
        double want;
    };
    // clang-format off
    const Row rows[] = {
        {"1234567890123456789x", 0, 1234567890123456789.0}, // 20th character not read
        {"123456789012345678x",  1, 2.45e9},                // 19th character read: invalid
        {"12345678901234567890", 0, 1234567890123456789.0}, // 20th digit dropped
    };
    // clang-format on
    for (const Row& r : rows) {
        DiagramHarness h;
        h.box(FieldFcent)->setText(QString::fromLatin1(r.typed));
        EXPECT_EQ(h.pane->CommitField(h.box(FieldFcent)), r.result) << r.typed;
        EXPECT_EQ(h.state.params.fcent.value, r.want) << r.typed;
    }
}

TEST(DiagramCommit, RejectedAndEmptyFieldsDoNotStopTheOthers) {
    DiagramHarness h;
    h.box(FieldPt)->setText("abc");
    h.box(FieldGt)->clear();
    h.box(FieldBl)->setText("3");
    EXPECT_EQ(h.pane->CommitAllFields(nullptr), 1);
    EXPECT_EQ(h.state.params.Pt.value, -10.0);
    EXPECT_EQ(h.state.params.Gt.value, 0.0);
    EXPECT_EQ(h.state.params.Bl.value, 3.0);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text, "Invalid number format: abc");
    // The refresh after the recalculation shows the stored values again.
    h.pane->RefreshAllFields();
    EXPECT_EQ(text(h.box(FieldPt)), "-10");
    EXPECT_EQ(text(h.box(FieldGt)), "0");
}

TEST(DiagramCommit, TheLastEditedBoxIsCommittedFirst) {
    // Box 11 says 3000 and box 4 says 8000, distances 1000 and 3000. Committing
    // the range first splits 8000 as 1:3 and rewrites box 11 before it is read;
    // committing box 11 first makes the range 6000 and rewrites box 4.
    struct Row {
        int first;
        double wantX12, wantX23, wantRange;
    };
    // clang-format off
    const Row rows[] = {
        {-1,         2000, 6000, 8000}, // FieldIndex order: Range before X12s
        {FieldRange, 2000, 6000, 8000}, // Range first
        {FieldX12s,  3000, 3000, 6000}, // X12s first: box 4 rewritten before it is read
    };
    // clang-format on
    for (const Row& r : rows) {
        DiagramHarness h;
        h.state.params.X12s.value = 1000;
        h.state.params.X23s.value = 3000;
        h.state.params.Range.value = 4000;
        h.pane->RefreshAllFields();
        h.box(FieldX12s)->setText("3000");
        h.box(FieldRange)->setText("8000");
        h.pane->CommitAllFields(h.pane->field(r.first));
        EXPECT_EQ(h.state.params.X12s.value, r.wantX12) << "first " << r.first;
        EXPECT_EQ(h.state.params.X23s.value, r.wantX23) << "first " << r.first;
        EXPECT_EQ(h.state.params.Range.value, r.wantRange) << "first " << r.first;
    }
}

TEST(DiagramCommit, RefreshShowsSixSignificantDigits) {
    DiagramHarness h;
    h.state.params.Bw.value = 1234567;
    h.pane->RefreshAllFields();
    EXPECT_EQ(text(h.box(FieldFcent)), "2.45e+009");
    EXPECT_EQ(text(h.box(FieldBw)), "1.23457e+006");
    EXPECT_EQ(text(h.box(FieldRhill)), "0.05");
    // The next commit stores the six-digit value.
    h.pane->CommitAllFields(nullptr);
    EXPECT_EQ(h.state.params.Bw.value, 1234570.0);
}

TEST(DiagramCommit, AClickOnTheDiagramCommitsAndRecalculates) {
    struct Row {
        Qt::MouseButton button;
        bool commits;
    };
    // clang-format off
    const Row rows[] = {
        {Qt::LeftButton,   true},  // WM_LBUTTONDOWN
        {Qt::RightButton,  true},  // WM_RBUTTONDOWN
        {Qt::MiddleButton, false}, // not handled
    };
    // clang-format on
    for (const Row& r : rows) {
        DiagramHarness h;
        h.state.bFieldsRefreshed = true;
        h.type(FieldMf, "25");
        QTest::mouseClick(h.pane, r.button, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(h.state.params.Mf.value, r.commits ? 25.0 : 20.0) << r.button;
        EXPECT_EQ(h.state.bFieldsRefreshed, !r.commits) << r.button;
        EXPECT_EQ(h.postedCommands().size(), r.commits ? 1u : 0u) << r.button;
    }
}

} // namespace
} // namespace tarsel
