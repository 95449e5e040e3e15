// Selecting rows of the report and copying them: the copied text is what the
// saved report holds for those rows.

#include "test_dialog_harness.h"

#include "ui/text/row_selection.h"
#include "ui/text/text_window_save.h"
#include "ui/text/text_window_view.h"

#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace tarsel::dialogs_test {
namespace {

struct RowsCase {
    int first;
    int last;
    const char* expected;
};

TEST(TextRows, WholeRowsWithLineEndsBetweenAndNoneAfter) {
    const RowsCase cases[] = {
        {0, 0, "a"},   {1, 2, " b\nc  "}, // blanks as the text has them
        {2, 9, "c  "},                    // rows past the end are left out
        {3, 4, ""},    {2, 1, ""},
    };
    for (const RowsCase& c : cases) {
        EXPECT_EQ(textRows("a\n b\nc  ", c.first, c.last), c.expected) << c.first << ".." << c.last;
    }
}

TEST(RowSelection, DragsEitherWayAndSelectAll) {
    RowSelection selection;
    EXPECT_TRUE(selection.empty());
    selection.start(7);
    selection.extendTo(3);
    EXPECT_EQ(selection.first(), 3);
    EXPECT_EQ(selection.last(), 7);
    selection.selectAll(120);
    EXPECT_EQ(selection.first(), 0);
    EXPECT_EQ(selection.last(), 120);
}

// The saved report's rows, as "Save As Ascii Text" writes them.
QStringList savedRows(Harness& h, TextWindow* window) {
    h.services.saveAnswer = h.dir.filePath(QStringLiteral("saved.txt"));
    SaveReportAsText(h.state, window);
    QFile file(h.services.saveAnswer);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
}

struct Fixture {
    Harness h;
    TextWindow* window = nullptr;
    TextView* view = nullptr;
    QStringList rows;

    Fixture() {
        openOrActivateTextWindow(h.state);
        window = qobject_cast<TextWindow*>(h.state.textWindow.data());
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        view = window->view();
        view->repaint();
        rows = savedRows(h, window);
    }
    // The vertical middle of a report row shown in the pane.
    QPoint rowPoint(int row) const {
        const ScreenView& v = h.state.report.view;
        return {5, v.lineHeight * (row - v.vScrollPos) + v.lineHeight / 2};
    }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
};

TEST(TextWindowCopy, CtrlCCopiesTheWholeReportUntilRowsAreSelected) {
    Fixture f;
    ASSERT_EQ(f.rows.size(), 121);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(f.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(f.clipboard(), f.rows.join(QLatin1Char('\n')));

    QTest::keyClick(f.view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f.view->selection().first(), 0);
    EXPECT_EQ(f.view->selection().last(), 120);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(f.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(f.clipboard(), f.rows.join(QLatin1Char('\n')));
}

struct DragCase {
    int scrolledTo; // first row shown
    int from;
    int to;
};

TEST(TextWindowCopy, DraggingSelectsRowsAndCtrlCCopiesThemAsSaved) {
    const DragCase cases[] = {
        {0, 2, 5},    // downwards
        {0, 6, 1},    // upwards
        {30, 33, 33}, // one row, with the report scrolled
    };
    for (const DragCase& c : cases) {
        Fixture f;
        f.window->scrollReport(true, ScrollRequest::ThumbTrack, c.scrolledTo);
        QTest::mousePress(f.view, Qt::LeftButton, {}, f.rowPoint(c.from));
        QTest::mouseMove(f.view, f.rowPoint(c.to));
        QTest::mouseRelease(f.view, Qt::LeftButton, {}, f.rowPoint(c.to));
        const int first = std::min(c.from, c.to);
        const int last = std::max(c.from, c.to);
        EXPECT_EQ(f.view->selection().first(), first);
        EXPECT_EQ(f.view->selection().last(), last);
        QTest::keyClick(f.view, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(f.clipboard(), f.rows.mid(first, last - first + 1).join(QLatin1Char('\n')))
            << c.from << ".." << c.to;
    }
}

TEST(TextWindowCopy, SelectedRowsShowHighlightedAndEscapeClearsThem) {
    Fixture f;
    QTest::mousePress(f.view, Qt::LeftButton, {}, f.rowPoint(1));
    QTest::mouseMove(f.view, f.rowPoint(2));
    QTest::mouseRelease(f.view, Qt::LeftButton, {}, f.rowPoint(2));
    const QColor highlight = f.view->palette().color(QPalette::Highlight);
    const QColor base = f.view->palette().color(QPalette::Base);
    const auto colourAt = [&f](int row) {
        const QImage shot = f.view->grab().toImage();
        return shot.pixelColor(QPoint(f.view->width() - 2, f.rowPoint(row).y()) *
                               shot.devicePixelRatio());
    };
    EXPECT_EQ(colourAt(2), highlight);
    EXPECT_EQ(colourAt(3), base);
    QTest::keyClick(f.view, Qt::Key_Escape);
    EXPECT_TRUE(f.view->selection().empty());
    EXPECT_EQ(colourAt(2), base);
}

} // namespace
} // namespace tarsel::dialogs_test
