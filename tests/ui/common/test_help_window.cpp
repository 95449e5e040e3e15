// The help window: find, back and forward, and closing it from the keyboard.
#include "ui/common/help_window.h"
#include "ui/common/help_window_view.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
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

// Clicks the first link to href in the browser's view; false when none shows.
bool clickLink(QTextBrowser* browser, const QString& href) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href) {
                continue;
            }
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                              browser->cursorRect(cursor).center());
            return true;
        }
    }
    return false;
}

TEST(HelpWindow, BackAndForwardFollowTheLinksTakenToTheirSections) {
    HelpWindow* help = openActive();
    QTextBrowser* browser = help->browser();
    QScrollBar* bar = browser->verticalScrollBar();
    const QUrl top = browser->source();
    ASSERT_TRUE(clickLink(browser, QStringLiteral("#report")));
    QUrl section = top;
    section.setFragment(QStringLiteral("report"));
    EXPECT_EQ(browser->source(), section);
    const int atSection = bar->value();
    EXPECT_GT(atSection, 0);
    for (int round = 0; round < 2; ++round) {
        QTest::keyClick(help, Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(browser->source(), top);
        EXPECT_EQ(bar->value(), 0) << "round " << round;
        EXPECT_TRUE(browser->isForwardAvailable());
        QTest::keyClick(help, Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(browser->source(), section);
        EXPECT_EQ(bar->value(), atSection) << "round " << round;
    }
    help->close();
}

// The letter after the & of a text, lower case, or none.
QChar mnemonic(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
}

TEST(HelpWindow, EachAltLetterReachesOneControlWithTheFindBarOpen) {
    HelpWindow* help = openActive();
    help->openFindBar();
    help->browser()->setFocus();
    QStringList owners(26);
    const auto take = [&owners](const QString& text) {
        const QChar letter = mnemonic(text);
        if (letter.isNull()) {
            return;
        }
        QString& owner = owners[letter.unicode() - 'a'];
        EXPECT_TRUE(owner.isEmpty()) << "Alt+" << letter.toLatin1() << ": " << owner.toStdString()
                                     << " and " << text.toStdString();
        owner = text;
    };
    for (QAction* menu : help->menuBar()->actions()) {
        take(menu->text());
    }
    for (QLabel* label : help->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr && label->isVisible()) {
            take(label->text());
        }
    }
    QTest::keyClick(help, Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(help->findField()->hasFocus());
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
