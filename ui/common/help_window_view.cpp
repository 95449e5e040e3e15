#include "ui/common/help_window_view.h"

#include "ui/common/program_icon.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

namespace tarsel {

HelpWindow::HelpWindow(const QUrl& source) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Movrane Help"));
    setWindowIcon(programIcon());

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    browser_ = new QTextBrowser(client);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    column->addWidget(browser_);

    findBar_ = new QWidget(client);
    findBar_->setObjectName(QStringLiteral("findBar"));
    auto* row = new QHBoxLayout(findBar_);
    row->setContentsMargins(4, 2, 4, 2);
    // Alt+I: Alt+F opens the File menu.
    auto* label = new QLabel(QStringLiteral("F&ind:"), findBar_);
    findField_ = new QLineEdit(findBar_);
    findField_->setObjectName(QStringLiteral("findField"));
    findField_->setAccessibleName(QStringLiteral("Find in help"));
    label->setBuddy(findField_);
    findStatus_ = new QLabel(findBar_);
    row->addWidget(label);
    row->addWidget(findField_, 1);
    row->addWidget(findStatus_);
    column->addWidget(findBar_);
    findBar_->hide();
    setCentralWidget(client);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* close = addItem(file, QStringLiteral("&Close"), {QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* copy = addItem(edit, QStringLiteral("&Copy"), {QKeySequence::Copy});
    connect(copy, &QAction::triggered, browser_, &QTextBrowser::copy);
    edit->addSeparator();
    QAction* find = addItem(edit, QStringLiteral("&Find..."), {QKeySequence::Find});
    connect(find, &QAction::triggered, this, &HelpWindow::openFindBar);
    QAction* next = addItem(edit, QStringLiteral("Find &Next"), {QKeySequence::FindNext});
    connect(next, &QAction::triggered, this, [this] { findText(false); });
    QAction* previous =
        addItem(edit, QStringLiteral("Find &Previous"), {QKeySequence::FindPrevious});
    connect(previous, &QAction::triggered, this, [this] { findText(true); });

    QMenu* go = menuBar()->addMenu(QStringLiteral("&Go"));
    QAction* back = addItem(go, QStringLiteral("&Back"), {QKeySequence::Back});
    QAction* forward = addItem(go, QStringLiteral("&Forward"), {QKeySequence::Forward});
    QAction* home =
        addItem(go, QStringLiteral("&Contents"), {QKeySequence(Qt::ALT | Qt::Key_Home)});
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home, &QAction::triggered, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    // Back and Forward restore the scroll position the browser noted when the
    // page was entered, which for a link into the page is before it scrolled to
    // the section: a page entered at an anchor shows that anchor again.
    connect(browser_, &QTextBrowser::historyChanged, this, [this] {
        if (const QString anchor = browser_->source().fragment(); !anchor.isEmpty()) {
            browser_->scrollToAnchor(anchor);
        }
    });

    QToolBar* tools = addToolBar(QStringLiteral("Navigation"));
    tools->setObjectName(QStringLiteral("navigation"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({back, forward, home, find});

    connect(findField_, &QLineEdit::returnPressed, this, [this] { findText(false); });
    connect(findField_, &QLineEdit::textEdited, this, [this] { findStatus_->clear(); });
    auto* escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escapeKey, &QShortcut::activated, this, &HelpWindow::escape);

    browser_->setSource(source);
    browser_->moveCursor(QTextCursor::Start);
    browser_->setFocus();
    resize(720, 600);
}

QAction* HelpWindow::addItem(QMenu* menu, const QString& text, const QList<QKeySequence>& keys) {
    QAction* action = menu->addAction(text);
    action->setShortcuts(keys);
    // Tool buttons show the key beside what the item does.
    if (!keys.isEmpty()) {
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            action->iconText(), keys.first().toString(QKeySequence::NativeText)));
    }
    return action;
}

bool HelpWindow::findBarVisible() const {
    return findBar_->isVisibleTo(this);
}

QString HelpWindow::findStatus() const {
    return findStatus_->text();
}

void HelpWindow::openFindBar() {
    findBar_->show();
    findField_->setFocus();
    findField_->selectAll();
}

bool HelpWindow::findText(bool backward) {
    const QString text = findField_->text();
    if (text.isEmpty()) {
        openFindBar();
        return false;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser_->find(text, flags);
    if (!found) {
        // Wrap around: start again from the other end of the page.
        const QTextCursor kept = browser_->textCursor();
        browser_->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
        found = browser_->find(text, flags);
        if (!found) {
            browser_->setTextCursor(kept);
        }
    }
    findStatus_->setText(found ? QString() : QStringLiteral("Not found"));
    return found;
}

void HelpWindow::escape() {
    if (findBarVisible()) {
        findBar_->hide();
        browser_->setFocus();
        return;
    }
    close();
}

} // namespace tarsel
