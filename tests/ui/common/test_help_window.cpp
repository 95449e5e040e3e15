// The help window: find, back and forward, and closing it from the keyboard.
#include "ui/common/help_window.h"
#include "ui/common/help_window_view.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

const QString ShippedHelp = QStringLiteral(TARSEL_TEST_DATA_DIR "/../../resources/Tarsel.html");

// The shipped page in an active help window.
HelpWindow* openActive() {
    HelpWindow* help = openHelpWindow(ShippedHelp);
    help->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(help));
    return help;
}

TEST(HelpWindow, CtrlFFindsWithWrapAroundAndSaysWhenNothingMatches) {
    HelpWindow* help = openActive();
    EXPECT_FALSE(help->findBarVisible());
    QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(help->findBarVisible());
    EXPECT_TRUE(help->findField()->hasFocus());

    QTest::keyClicks(help->findField(), QStringLiteral("fresnel zone clearance"));
    QTest::keyClick(help->findField(), Qt::Key_Return);
    const QTextCursor first = help->browser()->textCursor();
    EXPECT_EQ(first.selectedText(), QStringLiteral("Fresnel zone clearance"));
    EXPECT_EQ(help->findStatus(), QString());
    // F3 through every further match and round again to the first.
    const qsizetype matches = help->browser()->toPlainText().count(
        QStringLiteral("fresnel zone clearance"), Qt::CaseInsensitive);
    ASSERT_GE(matches, 2);
    for (qsizetype i = 0; i < matches; ++i) {
        QTest::keyClick(help, Qt::Key_F3);
    }
    EXPECT_EQ(help->browser()->textCursor().position(), first.position());
    QTest::keyClick(help, Qt::Key_F3, Qt::ShiftModifier); // back to the last one
    EXPECT_GT(help->browser()->textCursor().position(), first.position());

    help->findField()->setText(QStringLiteral("no such words anywhere"));
    QTest::keyClick(help->findField(), Qt::Key_Return);
    EXPECT_EQ(help->findStatus(), QStringLiteral("Not found"));
    EXPECT_EQ(help->browser()->textCursor().selectedText().toLower(),
              QStringLiteral("fresnel zone clearance")); // the last match stays
    help->close();
}

TEST(HelpWindow, BackAndForwardFollowTheLinksTaken) {
    HelpWindow* help = openActive();
    QTextBrowser* browser = help->browser();
    const QUrl top = browser->source();
    QUrl section = top;
    section.setFragment(QStringLiteral("report"));
    browser->setSource(section);
    EXPECT_TRUE(browser->isBackwardAvailable());
    QTest::keyClick(help, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(browser->source(), top);
    EXPECT_TRUE(browser->isForwardAvailable());
    QTest::keyClick(help, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(browser->source(), section);
    help->close();
}

struct CloseKeyRow {
    const char* name;
    QKeyCombination key;
};

TEST(HelpWindow, EscapeAndCtrlWClose) {
    const CloseKeyRow rows[] = {
        {"Escape", QKeyCombination(Qt::Key_Escape)},
        {"Ctrl+W", Qt::CTRL | Qt::Key_W},
    };
    for (const CloseKeyRow& row : rows) {
        QPointer<HelpWindow> help = openActive();
        QTest::keyClick(help.data(), row.key.key(), row.key.keyboardModifiers());
        EXPECT_FALSE(help->isVisible()) << row.name;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(help.isNull()) << row.name;
    }
}

TEST(HelpWindow, EscapeFirstClosesAnOpenFindBar) {
    HelpWindow* help = openActive();
    help->openFindBar();
    QTest::keyClick(help->findField(), Qt::Key_Escape);
    EXPECT_FALSE(help->findBarVisible());
    EXPECT_TRUE(help->isVisible());
    help->close();
}

} // namespace
} // namespace tarsel::testing
