// The text window: keys and scroll bars, resizing, saving, printing, options
// and font.

#include "test_dialog_harness.h"

#include "pdf_tools.h"

#include "report/report.h"
#include "ui/text/text_window_save.h"
#include "ui/text/text_window_view.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <unistd.h>

namespace tarsel::dialogs_test {
namespace {

using testing::pdfInfo;
using testing::poppler;

TextWindow* openText(Harness& h) {
    openOrActivateTextWindow(h.state);
    auto* window = qobject_cast<TextWindow*>(h.state.textWindow.data());
    if (window != nullptr) {
        // The first paint of the shown window runs the first report, which
        // sets the vertical range.
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        window->view()->repaint();
    }
    return window;
}

void trigger(TextWindow* window, int id) {
    auto* action = window->findChild<QAction*>(QStringLiteral("cmd%1").arg(id));
    ASSERT_NE(action, nullptr) << id;
    action->trigger();
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(TextWindow, OpensWithTitleMenuAndTheReportsRange) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Text Output");
    EXPECT_EQ(h.state.vScrollMax, 120);
    EXPECT_EQ(window->verticalBar()->maximum(), 120);
    EXPECT_EQ(window->horizontalBar()->maximum(), 132);
    // File: the saving, printing and closing items in this order.
    QStringList file;
    for (QAction* action : window->menuBar()->actions().value(0)->menu()->actions()) {
        file << (action->isSeparator() ? QStringLiteral("-")
                                       : action->text() + action->objectName());
    }
    EXPECT_EQ(file,
              QStringList({"Save &As Ascii Textcmd102", "&Print...cmd120", "-", "&Closecmd100"}));
    for (int id : {IDM_TEXT_OPTIONS, IDM_FONT_TEXT}) {
        EXPECT_NE(window->findChild<QAction*>(QStringLiteral("cmd%1").arg(id)), nullptr) << id;
    }
    openOrActivateTextWindow(h.state); // a second command only activates it
    EXPECT_EQ(h.state.textWindow.data(), window);
}

TEST(TextWindow, KeyTable) {
    struct Row {
        int key;
        int vFrom, hFrom;
        int vTo, hTo;
    };
    // clang-format off
    const Row rows[] = {
        // key           v from h from v to h to
        {Qt::Key_End,      0,   0,   120, 0},   // last row at the top
        {Qt::Key_PageDown, 120, 0,   120, 0},   // nothing further
        {Qt::Key_PageDown, 115, 0,   120, 0},   // page of 12 clamped to 5
        {Qt::Key_PageDown, 0,   0,   12,  0},   // one vertical page
        {Qt::Key_PageUp,   5,   0,   0,   0},   // Page Up from row 5 to row 0
        {Qt::Key_Home,     77,  40,  0,   0},   // top left
        {Qt::Key_Right,    0,   130, 0,   132}, // clamped to the last column
        {Qt::Key_Right,    0,   0,   0,   13},  // a horizontal page, not a column
        {Qt::Key_Left,     0,   10,  0,   0},   // clamped to column 0
        {Qt::Key_Up,       0,   0,   0,   0},   // already at the top
        {Qt::Key_Down,     0,   0,   1,   0},   // one row
        {Qt::Key_Up,       9,   0,   8,   0},   // one row back
        {Qt::Key_A,        9,   3,   9,   3},   // not in the table
    };
    // clang-format on
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    for (const Row& row : rows) {
        h.state.report.view.vScrollPos = row.vFrom;
        h.state.report.view.hScrollPos = row.hFrom;
        ApplyScrollRanges(h.state);
        QTest::keyClick(window->view(), static_cast<Qt::Key>(row.key));
        EXPECT_EQ(h.state.report.view.vScrollPos, row.vTo) << row.key << " from " << row.vFrom;
        EXPECT_EQ(h.state.report.view.hScrollPos, row.hTo) << row.key << " from " << row.hFrom;
        EXPECT_EQ(window->verticalBar()->value(), row.vTo) << row.key;
        EXPECT_EQ(window->horizontalBar()->value(), row.hTo) << row.key;
    }
}

TEST(TextWindow, ScrollBarActionsFollowTheSameProcedure) {
    struct Row {
        bool vertical;
        QAbstractSlider::SliderAction action;
        int from, to;
    };
    // clang-format off
    const Row rows[] = {
        {true,  QAbstractSlider::SliderPageStepAdd,   0,   12},  // page of 12 rows
        {true,  QAbstractSlider::SliderPageStepAdd,   115, 120}, // clamped to the end
        {true,  QAbstractSlider::SliderSingleStepSub, 0,   0},   // already at the top
        {true,  QAbstractSlider::SliderToMaximum,     3,   120}, // bottom
        {false, QAbstractSlider::SliderPageStepAdd,   0,   13},  // page of 13 columns
        {false, QAbstractSlider::SliderSingleStepAdd, 131, 132}, // one column, to the end
    };
    // clang-format on
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    for (const Row& row : rows) {
        int& pos = row.vertical ? h.state.report.view.vScrollPos : h.state.report.view.hScrollPos;
        pos = row.from;
        ApplyScrollRanges(h.state);
        QScrollBar* bar = row.vertical ? window->verticalBar() : window->horizontalBar();
        bar->triggerAction(row.action);
        EXPECT_EQ(pos, row.to) << row.action << " from " << row.from;
        EXPECT_EQ(bar->value(), row.to) << row.action << " from " << row.from;
    }
}

TEST(TextWindow, ResizeSetsTheBand) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    h.state.report.view.lineHeight = 16;
    window->view()->resize(400, 250);
    EXPECT_EQ(h.state.report.view.bandHeight, 256);
    window->view()->resize(0, 0); // minimised: unchanged
    EXPECT_EQ(h.state.report.view.bandHeight, 256);
}

TEST(TextWindow, ScrollPositionSurvivesClosing) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window->view(), Qt::Key_PageDown);
    QTest::keyClick(window->view(), Qt::Key_Right);
    trigger(window, IDM_EXIT);
    QCoreApplication::processEvents();
    EXPECT_TRUE(h.state.textWindow.isNull());
    TextWindow* reopened = openText(h);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->verticalBar()->value(), 12);
    EXPECT_EQ(reopened->horizontalBar()->value(), 13);
}

TEST(TextWindow, ScrollRangesClampWhileClosed) {
    Harness h;
    h.state.report.view.vScrollPos = 200;
    h.state.report.view.hScrollPos = -4;
    h.state.report.reportLastRow = 120;
    ApplyScrollRanges(h.state);
    EXPECT_EQ(h.state.vScrollMax, 120);
    EXPECT_EQ(h.state.report.view.vScrollPos, 120);
    EXPECT_EQ(h.state.report.view.hScrollPos, 0);
}

TEST(TextWindowSave, FilterListOfTheSaveDialog) {
    struct Row {
        std::string list;
        QStringList filters;
    };
    const Row rows[] = {
        {"Text Files(*.TXT)|*.txt|Data Files(*.DAT)|*.dat|All Files(*.*)|*.*|",
         {"Text Files (*.txt)", "Data Files (*.dat)", "All Files (*.*)"}}, // the program's list
        {"Report;*.rep;", {"Report (*.rep)"}},                             // another separator
        {"Text|*.txt|Orphan|", {"Text (*.txt)"}},                          // description alone
        {"", {}},                                                          // undefined
    };
    for (const Row& row : rows) {
        EXPECT_EQ(saveFilterList(row.list), row.filters) << row.list;
    }
}

TEST(TextWindowSave, WritesExactlyTheReport) {
    Harness h;
    h.state.params.Pt.value = 17;
    h.state.results = recalculate(h.state.params);
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    const QString path = h.dir.filePath(QStringLiteral("out.txt"));
    h.services.saveAnswer = path;
    trigger(window, IDM_SAVE_TEXT);
    EXPECT_TRUE(h.services.warnings.empty());
    EXPECT_EQ(h.services.saveFilters,
              QStringList({"Text Files (*.txt)", "Data Files (*.dat)", "All Files (*.*)"}));
    EXPECT_EQ(h.services.saveSuffix, "txt");
    const std::string expected = reportText(h.state.params, h.state.results);
    EXPECT_EQ(fileBytes(path).toStdString(), expected);
    // Saving again replaces the file rather than appending.
    trigger(window, IDM_SAVE_TEXT);
    EXPECT_EQ(fileBytes(path).toStdString(), expected);
}

TEST(TextWindowSave, CancelledSaveWritesNothing) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    h.services.saveAnswer.clear();
    trigger(window, IDM_SAVE_TEXT);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text, "File not saved.");
    EXPECT_EQ(h.services.warnings[0].title, "Export");
    EXPECT_EQ(h.services.warnings[0].icon, WarningIcon::Error);
    EXPECT_TRUE(QDir(h.dir.path()).entryList(QDir::Files).filter(".txt").isEmpty());
}

TEST(TextWindowSave, UnwritableTargetIsReported) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    const QString plainFile = h.dir.filePath(QStringLiteral("plain"));
    {
        QFile f(plainFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    const QString targets[] = {
        h.dir.filePath(QStringLiteral("missing/out.txt")), // folder does not exist
        plainFile + QStringLiteral("/out.txt"),            // parent is a regular file
        h.dir.path(),                                      // a folder, not a file
    };
    for (const QString& target : targets) {
        h.services.warnings.clear();
        h.services.saveAnswer = target;
        trigger(window, IDM_SAVE_TEXT);
        ASSERT_EQ(h.services.warnings.size(), 1u) << target.toStdString();
        const Warning& w = h.services.warnings[0];
        EXPECT_EQ(w.title, "Export");
        EXPECT_EQ(w.icon, WarningIcon::Error);
        EXPECT_NE(w.text.find(target.toStdString()), std::string::npos) << w.text;
        EXPECT_FALSE(QFileInfo(target).isFile()) << target.toStdString();
    }
    EXPECT_EQ(fileBytes(plainFile), "keep");
}

// The export writes like every other write of the program: a file with a
// second name changes under both, a read-only file is left alone.
TEST(TextWindowSave, HardLinkAndReadOnlyTargets) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    const QString linked = h.dir.filePath(QStringLiteral("linked.txt"));
    const QString other = h.dir.filePath(QStringLiteral("other.txt"));
    const QString readOnly = h.dir.filePath(QStringLiteral("read-only.txt"));
    for (const QString& path : {linked, readOnly}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    ASSERT_EQ(::link(linked.toLocal8Bit().constData(), other.toLocal8Bit().constData()), 0);
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);

    h.services.saveAnswer = linked;
    trigger(window, IDM_SAVE_TEXT);
    EXPECT_TRUE(h.services.warnings.empty());
    EXPECT_EQ(fileBytes(other).toStdString(), reportText(h.state.params, h.state.results));

    h.services.saveAnswer = readOnly;
    trigger(window, IDM_SAVE_TEXT);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text, "The report could not be saved to " +
                                               readOnly.toStdString() +
                                               ": Permission denied (read-only file)");
    EXPECT_EQ(fileBytes(readOnly), "old");
}

TEST(TextWindowSave, MissingFilterListStopsTheSave) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    const std::string saved = SaveFilterString();
    SaveFilterString().clear();
    h.services.saveAnswer = h.dir.filePath(QStringLiteral("out.txt"));
    trigger(window, IDM_SAVE_TEXT);
    SaveFilterString() = saved;
    EXPECT_EQ(h.services.saveDialogs, 0);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].text, "File open filter string undefined");
    EXPECT_EQ(h.services.warnings[0].title, "Error");
    EXPECT_FALSE(QFile::exists(h.services.saveAnswer));
}

// Runs the Options dialog from the menu, typing text into the column box and
// pressing the given button.
void runOptions(Harness& h, TextWindow* window, const char* text, int buttonId) {
    QTimer::singleShot(0, [&h, text, buttonId] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("id200"));
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(text));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("id%1").arg(buttonId)),
                          Qt::LeftButton);
        (void)h;
    });
    trigger(window, IDM_TEXT_OPTIONS);
}

TEST(TextWindowPrint, CtrlPPrintsEveryRowInTheFixedPitchFaceOnAsManyPagesAsNeeded) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    const QString pdf = h.dir.filePath(QStringLiteral("report.pdf"));
    h.services.printAnswer = pdf;
    QTest::keyClick(window->view(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(h.services.printDialogs, 1);
    EXPECT_TRUE(h.services.warnings.empty());
    ASSERT_TRUE(QFileInfo(pdf).size() > 0);
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    if (info.isNull()) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    const int pages =
        QRegularExpression(QStringLiteral("Pages: +(\\d+)")).match(info).captured(1).toInt();
    EXPECT_GE(pages, 2); // 121 rows
    // Every row, in order, its blanks aside; the last on the last page.
    const QString text =
        poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
    const QStringList rows =
        QString::fromStdString(reportText(h.state.params, h.state.results)).split('\n');
    qsizetype at = 0;
    for (const QString& row : rows) {
        const QString wanted = row.simplified();
        const qsizetype found = text.simplified().indexOf(wanted, at);
        ASSERT_GE(found, 0) << row.toStdString();
        at = found + wanted.size();
    }
    const QString lastPage =
        poppler(QStringLiteral("pdftotext"),
                {"-f", QString::number(pages), "-l", QString::number(pages), pdf, "-"});
    EXPECT_TRUE(lastPage.contains(rows.back().simplified().left(20))) << rows.back().toStdString();
    // The report's own face, a fixed-pitch one.
    const QFontInfo face(h.state.textFont);
    EXPECT_TRUE(face.fixedPitch());
    QString family = face.family();
    family.remove(' ');
    EXPECT_TRUE(poppler(QStringLiteral("pdffonts"), {pdf}).contains(family))
        << family.toStdString();
}

TEST(TextWindowPrint, CancelPrintsNothingAndAPrinterThatFailsIsReported) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    trigger(window, IDM_PRINT_TEXT); // cancelled
    EXPECT_EQ(h.services.printDialogs, 1);
    EXPECT_TRUE(h.services.warnings.empty());
    const QString target = h.dir.filePath(QStringLiteral("missing/report.pdf"));
    h.services.printAnswer = target;
    trigger(window, IDM_PRINT_TEXT);
    ASSERT_EQ(h.services.warnings.size(), 1u);
    EXPECT_EQ(h.services.warnings[0].title, "Print");
    EXPECT_NE(h.services.warnings[0].text.find(target.toStdString()), std::string::npos);
}

TEST(TextWindowOptions, NewColumnSpacingReflowsTheReport) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    window->resize(900, 700);
    QCoreApplication::processEvents();
    const QImage before = window->view()->grab().toImage();
    h.state.bFieldsRefreshed = true;

    runOptions(h, window, "20", 1);
    EXPECT_EQ(h.state.params.XColWid.value, 20);
    h.deliverPosted();
    EXPECT_EQ(h.mainWindow.commands, std::vector<int>{IDM_RECALC_ALL});
    EXPECT_TRUE(h.state.bFieldsRefreshed); // the entry fields are left alone
    const QImage after = window->view()->grab().toImage();
    EXPECT_NE(after, before);

    // The same as a window opened afresh with that spacing.
    closeTextWindow(h.state);
    QCoreApplication::processEvents();
    TextWindow* fresh = openText(h);
    fresh->resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(fresh->view()->grab().toImage(), after);
}

TEST(TextWindowOptions, CancelLeavesTheReport) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);
    runOptions(h, window, "20", 2);
    h.deliverPosted();
    EXPECT_EQ(h.state.params.XColWid.value, 13);
    EXPECT_TRUE(h.mainWindow.commands.empty());
}

TEST(TextWindowFont, FontIsRebuiltWhetherOrNotConfirmed) {
    Harness h;
    TextWindow* window = openText(h);
    ASSERT_NE(window, nullptr);

    h.services.fontAnswer.reset(); // cancelled
    trigger(window, IDM_FONT_TEXT);
    h.deliverPosted();
    EXPECT_EQ(h.services.fontDialogs, 1);
    EXPECT_EQ(h.mainWindow.commands, std::vector<int>{IDM_RECALC_ALL});

    LogFont big = h.state.fonts.TextFont;
    big.lfHeight = -40;
    h.services.fontAnswer = big;
    const int oldLineHeight = h.state.report.view.lineHeight;
    trigger(window, IDM_FONT_TEXT);
    h.deliverPosted();
    EXPECT_EQ(h.mainWindow.commands.size(), 2u);
    EXPECT_EQ(h.state.fonts.TextFont.lfHeight, -40);
    EXPECT_EQ(h.state.textFont.pixelSize(), 40);
    EXPECT_GT(h.state.report.view.lineHeight, oldLineHeight);
}

} // namespace
} // namespace tarsel::dialogs_test
