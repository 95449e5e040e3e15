// The entry hint: shown by the first keystroke, removed by Enter, closed by
// its close box, placed below, above or beside the box being typed in.
#include "test_diagram_harness.h"

#include "engine/link_params.h"
#include "ui/main/hint_window.h"

#include <QToolButton>
#include <gtest/gtest.h>

namespace tarsel {
namespace {

using testing::DiagramHarness;

void deliverDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(HintPlacement, BelowThenPulledInThenAbove) {
    struct Row {
        QPoint box;
        int boxHeight;
        QSize hint;
        QRect pane;
        QPoint expected;
    };
    const QRect pane(0, 0, 632, 378);
    const int f = 4;
    // clang-format off
    const Row rows[] = {
        {QPoint(312, 148), 20, QSize(300, 40), pane,                QPoint(312, 172)}, // below: T + B + F
        {QPoint(332, 148), 20, QSize(300, 40), pane,                QPoint(332, 172)}, // right edge exactly met
        {QPoint(333, 148), 20, QSize(300, 40), pane,                QPoint(332, 172)}, // one over: PR - W
        {QPoint(312, 314), 20, QSize(300, 40), pane,                QPoint(312, 338)}, // bottom exactly met
        {QPoint(312, 315), 20, QSize(300, 40), pane,                QPoint(312, 271)}, // one over: T - H - F
        {QPoint(498, 355), 20, QSize(300, 40), pane,                QPoint(332, 311)}, // corner: both
        {QPoint(50, 10),   20, QSize(301, 40), QRect(0, 0, 101, 378), QPoint(-100, 34)}, // narrow: 50 - 150
        {QPoint(50, 10),   20, QSize(301, 40), QRect(0, 0, 300, 378), QPoint(0, 34)},    // one narrower: 150 - 150
        {QPoint(50, 10),   20, QSize(300, 40), QRect(0, 0, 300, 378), QPoint(0, 34)},    // as wide: PR - W
    };
    // clang-format on
    for (const Row& r : rows) {
        EXPECT_EQ(placeHint(r.box, r.boxHeight, r.hint, r.pane, f), r.expected)
            << r.box.x() << "," << r.box.y() << " in " << r.pane.width();
    }
}

TEST(HintWindow, FirstKeystrokeShowsItEnterRemovesItNextKeystrokeShowsItAgain) {
    DiagramHarness h;
    QLineEdit* box = h.box(FieldRhill);
    EXPECT_EQ(h.pane->hintWindow(), nullptr);
    box->clear();

    QTest::keyClick(box, Qt::Key_5);
    HintWindow* hint = h.pane->hintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->parentWidget(), h.main.get());
    EXPECT_TRUE(h.state.bHintShown);
    EXPECT_TRUE(h.state.bHintOpen);
    EXPECT_EQ(h.state.hLastEdit, box);
    EXPECT_EQ(h.main->focusWidget(), box); // focus given back to the box
    EXPECT_EQ(box->text(), "5");           // the character still reaches the box

    // Typing on, also in another box, keeps the one hint where it stands.
    const QPoint at = hint->pos();
    QTest::keyClick(box, Qt::Key_0);
    QTest::keyClick(h.box(FieldPt), Qt::Key_1);
    EXPECT_EQ(h.pane->hintWindow(), hint);
    EXPECT_EQ(hint->pos(), at);
    EXPECT_EQ(h.main->findChildren<HintWindow*>().size(), 1);

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(h.pane->hintWindow(), nullptr);
    EXPECT_TRUE(h.main->findChildren<HintWindow*>().isEmpty());
    EXPECT_FALSE(h.state.bHintShown);
    EXPECT_FALSE(h.state.bHintOpen);

    QTest::keyClick(box, Qt::Key_1);
    EXPECT_NE(h.pane->hintWindow(), nullptr);
    EXPECT_TRUE(h.state.bHintShown);
}

TEST(HintWindow, CloseBoxLeavesNoHintUntilTheNextEnter) {
    DiagramHarness h;
    QLineEdit* box = h.box(FieldGt);
    QTest::keyClick(box, Qt::Key_7);
    HintWindow* hint = h.pane->hintWindow();
    ASSERT_NE(hint, nullptr);

    QTest::mouseClick(hint->closeButton(), Qt::LeftButton);
    deliverDeferredDeletes();
    EXPECT_EQ(h.pane->hintWindow(), nullptr);
    EXPECT_FALSE(h.state.bHintOpen);
    EXPECT_TRUE(h.state.bHintShown);

    QTest::keyClick(box, Qt::Key_8);
    EXPECT_EQ(h.pane->hintWindow(), nullptr); // no new hint before Enter

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(h.state.bHintShown);
    QTest::keyClick(box, Qt::Key_9);
    EXPECT_NE(h.pane->hintWindow(), nullptr);
}

TEST(HintWindow, KeysThatTypeNothingRecordTheBoxOnRelease) {
    struct Row {
        Qt::Key key;
        const char* name;
    };
    // clang-format off
    const Row rows[] = {
        {Qt::Key_Left,  "arrow"}, // WM_KEYUP of a key without character
        {Qt::Key_Shift, "Shift"}, // modifier alone
        {Qt::Key_Home,  "Home"},  // moves the cursor only
    };
    // clang-format on
    for (const Row& r : rows) {
        DiagramHarness h;
        QLineEdit* box = h.box(FieldSn);
        QTest::keyPress(box, r.key);
        EXPECT_EQ(h.state.hLastEdit, nullptr) << r.name << ": not on the press";
        EXPECT_EQ(h.pane->hintWindow(), nullptr) << r.name;
        QTest::keyRelease(box, r.key);
        EXPECT_EQ(h.state.hLastEdit, box) << r.name;
        EXPECT_NE(h.pane->hintWindow(), nullptr) << r.name;
    }
}

TEST(HintWindow, StandsBelowTheBoxInTheMiddleOfThePane) {
    DiagramHarness h;
    QLineEdit* box = h.box(FieldRhill); // 312, 148
    QTest::keyClick(box, Qt::Key_1);
    HintWindow* hint = h.pane->hintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->x(), box->x());
    EXPECT_EQ(hint->y(), box->y() + box->height() + hint->frameWidth());
    EXPECT_EQ(hint->size(), hint->hintSize());
    EXPECT_GT(hint->width(), hint->fontMetrics().horizontalAdvance(HintWindow::hintText()));
    EXPECT_GT(hint->height(), hint->fontMetrics().height() + hint->captionHeight());
}

TEST(HintWindow, AtABottomRightBoxItStandsAboveAlignedToTheRightEdge) {
    DiagramHarness h;
    QLineEdit* box = h.box(FieldIpInt); // 498, 355: lowest box, near the right edge
    QTest::keyClick(box, Qt::Key_1);
    HintWindow* hint = h.pane->hintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->x() + hint->width(), h.pane->width());
    EXPECT_EQ(hint->y() + hint->height() + hint->frameWidth(), box->y());
}

} // namespace
} // namespace tarsel
