#include "monkey.h"

#include "ui/main/application.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <array>
#include <vector>

namespace tarsel::testing {

namespace {

// What a user may type into a number field: numbers at and beyond every
// bound, the grammar's corners, and plain mistakes.
constexpr std::array<const char*, 30> Tokens{
    "0",   "1",  "-1",  "10",  "100", "2.45e9", "1e308", "-1e308", "1e309",  "1e-320",
    "0.5", ".5", "5.",  "1d3", "-0",  "1e+308", "20",    "3",      "999999", "1e6",
    "abc", "",   "   ", "12a", "1,5", "nan",    "inf",   "1e",     "+",      "99999999999"};

// Keys with a meaning somewhere in the program, and some without.
constexpr std::array<Qt::Key, 24> Keys{
    Qt::Key_Return, Qt::Key_Enter,  Qt::Key_Escape,   Qt::Key_Tab,       Qt::Key_Backtab,
    Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,     Qt::Key_Home,
    Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Backspace, Qt::Key_Delete,
    Qt::Key_Space,  Qt::Key_F1,     Qt::Key_F10,      Qt::Key_Alt,       Qt::Key_A,
    Qt::Key_C,      Qt::Key_V,      Qt::Key_Z,        Qt::Key_X};

constexpr std::array<Qt::KeyboardModifier, 5> Modifiers{
    Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};

// Every command reachable from a menu bar or menu, submenus included.
void collectActions(QWidget* menu, std::vector<QAction*>& out) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            collectActions(action->menu(), out);
        } else if (!action->isSeparator()) {
            out.push_back(action);
        }
    }
}

std::vector<QAction*> menuCommands() {
    std::vector<QAction*> out;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(top);
        if (window == nullptr || !window->isVisible() || window->menuWidget() == nullptr) {
            continue;
        }
        collectActions(window->menuBar(), out);
    }
    return out;
}

std::vector<QWidget*> visibleWindows() {
    std::vector<QWidget*> out;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && !top->isHidden() && top->windowType() != Qt::Popup &&
            top->windowType() != Qt::ToolTip) {
            out.push_back(top);
        }
    }
    return out;
}

template <typename T> std::vector<T*> visibleChildren(QWidget* parent) {
    std::vector<T*> out;
    for (T* child : parent->findChildren<T*>()) {
        if (child->isVisible() && child->isEnabled()) {
            out.push_back(child);
        }
    }
    return out;
}

} // namespace

Monkey::Monkey(std::uint32_t seed, const QString& folder)
    : random_(seed), folder_(folder), settingsPath_(folder + QStringLiteral("/Tarsel.ini")) {
    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
    start();
}

Monkey::~Monkey() {
    crash_.setPhase("closing the program");
    session_.reset();
    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void Monkey::start() {
    const std::size_t warningsBefore = services_.warnings.size();
    session_ = std::make_unique<Session>();
    session_->state.settingsPath = settingsPath_;
    session_->state.services = &services_;
    // The settings file is read here; what follows runs from the event loop.
    session_->window = startTarsel(session_->state);
    counts_.startWarnings += static_cast<long>(services_.warnings.size() - warningsBefore);
    if (counts_.firstStartWarning.empty() && services_.warnings.size() > warningsBefore) {
        counts_.firstStartWarning = afterRecent(services_.warnings[warningsBefore].text);
    }
}

void Monkey::closeProgram() {
    if (session_ && session_->window) {
        session_->window->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    session_.reset();
}

int Monkey::pick(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random_);
}

bool Monkey::chance(double p) {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p;
}

QWidget* Monkey::anyWidget(QWidget* window) {
    std::vector<QWidget*> widgets = visibleChildren<QWidget>(window);
    widgets.push_back(window);
    return oneOf(widgets);
}

QPoint Monkey::anyPointIn(QWidget* widget) {
    return QPoint(pick(std::max(1, widget->width())), pick(std::max(1, widget->height())));
}

std::string Monkey::afterRecent(std::string what) const {
    what += " after:";
    for (const std::string& action : recent_) {
        what += "\n  " + action;
    }
    return what;
}

void Monkey::run(std::chrono::milliseconds duration) {
    end_ = std::chrono::steady_clock::now() + duration;
    nextTearDown_ = std::chrono::steady_clock::now() + tearDownEvery_;
    crash_.setPhase("acting");
    QTimer::singleShot(0, this, &Monkey::step);
    loop_.exec();
    crash_.setPhase("after the run");
}

// One action per turn of the event loop. The next step is queued before the
// action, so that it also runs inside a modal dialog the action opens.
void Monkey::step() {
    const bool outermost = depth_ == 0;
    ++depth_;
    if (std::chrono::steady_clock::now() >= end_) {
        finish();
    } else {
        QTimer::singleShot(0, this, &Monkey::step);
        const auto now = std::chrono::steady_clock::now();
        if (outermost && (!window() || !window()->isVisible())) {
            // The user closed the program: start it again on its own file.
            session_.reset();
            start();
            ++counts_.restarts;
        } else if (outermost && tearDownEvery_.count() > 0 && now >= nextTearDown_) {
            // Half the time a field is left half typed first, its window in
            // front; the program goes at the next step, once it is.
            if (!tearDownArmed_ && chance(0.5)) {
                tearDownArmed_ = true;
                leaveAFieldHalfTyped();
            } else {
                tearDownArmed_ = false;
                tearDown();
                nextTearDown_ = now + tearDownEvery_;
            }
        } else {
            act();
        }
        checkBounds();
    }
    --depth_;
}

void Monkey::tearDown() {
    note("torn down");
    crash_.setPhase("tearing the program down");
    session_.reset();
    crash_.setPhase("acting");
    start();
    ++counts_.teardowns;
}

// As a user does: the field's window comes to the front and takes the keys;
// Return, unless the text is left half typed (taken when the field loses the
// focus, if ever).
void typeInto(QLineEdit* box, const char* text, bool commit) {
    box->window()->activateWindow();
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    QTest::keyClicks(box, QString::fromLatin1(text));
    if (commit) {
        QTest::keyClick(box, Qt::Key_Return);
    }
}

// A window that has fields, then one of its fields.
void Monkey::leaveAFieldHalfTyped() {
    std::vector<QWidget*> windows = visibleWindows();
    std::erase_if(windows, [](QWidget* w) { return visibleChildren<QLineEdit>(w).empty(); });
    if (windows.empty()) {
        return;
    }
    QWidget* window = oneOf(windows);
    QLineEdit* field = oneOf(visibleChildren<QLineEdit>(window));
    const char* token = oneOf(Tokens);
    note("half typed " + field->objectName().toStdString() + " '" + token + "'");
    typeInto(field, token, false);
}

void Monkey::note(std::string what) {
    recent_.push_back(std::move(what));
    if (recent_.size() > 40) {
        recent_.pop_front();
    }
}

// Every parameter in the program stays within its bounds after every action.
void Monkey::checkBounds() {
    if (!counts_.firstOutOfBounds.empty() || state() == nullptr) {
        return;
    }
    for (int field = 0; field < FieldCount; ++field) {
        const RangedValue& p = *paramForField(state()->params, field);
        if (!(p.value >= p.lo && p.value <= p.hi)) {
            counts_.firstOutOfBounds =
                afterRecent("field " + std::to_string(field) + " = " + std::to_string(p.value));
            return;
        }
    }
}

// Time is up: close what is open, innermost first, then leave the run. A
// dialog is ended directly: some ignore Escape and the close box (About).
void Monkey::finish() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    } else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->done(QDialog::Rejected);
    } else if (depth_ == 1) {
        loop_.quit();
        return;
    }
    QTimer::singleShot(0, this, &Monkey::step);
}

// Where the user's input goes: the open menu, else the modal dialog, else any
// window on the screen.
QWidget* Monkey::target() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    const std::vector<QWidget*> windows = visibleWindows();
    return windows.empty() ? nullptr : oneOf(windows);
}

void Monkey::act() {
    ++counts_.actions;
    QWidget* window = target();
    if (window == nullptr) {
        return;
    }
    const bool free = QApplication::activePopupWidget() == nullptr &&
                      QApplication::activeModalWidget() == nullptr;
    if (!free && chance(0.25)) {
        answerDialog(window);
        return;
    }
    if (plotMode_ && free && chance(0.8)) {
        actOnPlots();
        return;
    }
    const int roll = pick(100);
    if (roll < 25) {
        pressKey(window);
    } else if (roll < 40) {
        typeText(window);
    } else if (roll < 55) {
        typeEntry(window);
    } else if (roll < 75) {
        click(window);
    } else if (roll < 80) {
        wheel(window);
    } else if (roll < 92) {
        if (free) {
            runMenuCommand();
        }
    } else if (roll < 95) {
        setDialogAnswers();
    } else if (roll < 98) {
        if (free) {
            resizeMain();
        }
    } else if (free) {
        switchWindow();
    }
}

void Monkey::pressKey(QWidget* window) {
    QWidget* receiver = window->focusWidget() != nullptr ? window->focusWidget() : window;
    const Qt::Key key = oneOf(Keys);
    const Qt::KeyboardModifier modifiers = oneOf(Modifiers);
    note(std::string("key ") + std::to_string(int(key)) + " mod " + std::to_string(int(modifiers)) +
         " to " + receiver->metaObject()->className());
    QTest::keyClick(receiver, key, modifiers);
}

// Characters one by one; the receiver may go away between two of them.
void Monkey::typeText(QWidget* window) {
    QPointer<QWidget> receiver = window->focusWidget() != nullptr ? window->focusWidget() : window;
    static constexpr char Alphabet[] = "0123456789.+-eEdD ,xX;=[]\"'\\/\t";
    const int length = 1 + pick(12);
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += Alphabet[pick(static_cast<int>(sizeof Alphabet) - 1)];
    }
    note("text '" + text + "' to " + receiver->metaObject()->className());
    for (std::size_t i = 0; i < text.size() && receiver; ++i) {
        QTest::keyClick(receiver.data(), text[i]);
    }
}

// A number field of the window: select all, type a token, then mostly Enter.
void Monkey::typeEntry(QWidget* window) {
    const std::vector<QLineEdit*> fields = visibleChildren<QLineEdit>(window);
    if (fields.empty()) {
        return;
    }
    QPointer<QLineEdit> field = oneOf(fields);
    field->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(field.data(), Qt::Key_A, Qt::ControlModifier);
    const char* token = oneOf(Tokens);
    const int end = pick(10);
    note("entry " + field->objectName().toStdString() + " '" + token + "'" +
         (end < 4   ? " Return"
          : end < 7 ? " Tab"
                    : ""));
    for (const char* c = token; *c != '\0' && field; ++c) {
        QTest::keyClick(field.data(), *c);
    }
    if (field && end < 7) {
        QTest::keyClick(field.data(), end < 4 ? Qt::Key_Return : Qt::Key_Tab);
    }
}

// A click of any button, single or double, at any point of a visible widget.
void Monkey::click(QWidget* window) {
    QWidget* widget = anyWidget(window);
    const QPoint at = anyPointIn(widget);
    const int kind = pick(10);
    note("click " + std::to_string(kind) + " at " + std::to_string(at.x()) + "," +
         std::to_string(at.y()) + " on " + widget->metaObject()->className() + " " +
         widget->objectName().toStdString());
    const Qt::MouseButton button =
        kind < 7 ? Qt::LeftButton : (kind < 9 ? Qt::RightButton : Qt::MiddleButton);
    if (chance(0.15)) {
        QTest::mouseDClick(widget, button, Qt::NoModifier, at);
    } else {
        QTest::mouseClick(widget, button, Qt::NoModifier, at);
    }
}

void Monkey::wheel(QWidget* window) {
    QWidget* widget = anyWidget(window);
    const QPointF at = anyPointIn(widget);
    const int steps = pick(11) - 5;
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Any command of any menu bar on the screen, added menus included.
void Monkey::runMenuCommand() {
    const std::vector<QAction*> actions = menuCommands();
    if (actions.empty()) {
        return;
    }
    QAction* action = oneOf(actions);
    if (action->isEnabled()) {
        ++counts_.menuCommands;
        note("menu " + action->text().toStdString());
        action->trigger();
    }
}

// Closes or confirms the open dialog or menu in one of the user's ways.
void Monkey::answerDialog(QWidget* dialog) {
    ++counts_.dialogAnswers;
    const int roll = pick(4);
    note("answer " + std::to_string(roll) + " to " + dialog->metaObject()->className());
    QWidget* focus = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
    if (roll == 0) {
        QTest::keyClick(focus, Qt::Key_Return);
    } else if (roll == 1) {
        QTest::keyClick(focus, Qt::Key_Escape);
    } else if (roll == 2) {
        const std::vector<QAbstractButton*> buttons = visibleChildren<QAbstractButton>(dialog);
        if (!buttons.empty()) {
            QAbstractButton* button = oneOf(buttons);
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        }
    } else {
        dialog->close();
    }
}

void Monkey::resizeMain() {
    if (QWidget* main = window()) {
        main->resize(1 + pick(1600), 1 + pick(1200));
    }
}

void Monkey::switchWindow() {
    const std::vector<QWidget*> windows = visibleWindows();
    if (!windows.empty()) {
        QWidget* next = oneOf(windows);
        next->raise();
        next->activateWindow();
    }
}

// What the fake font and save dialogs answer next.
void Monkey::setDialogAnswers() {
    if (chance(0.3)) {
        services_.fontAnswer.reset();
    } else {
        static constexpr std::array<const char*, 6> Faces{
            "Courier", "DejaVu Sans", "Liberation Serif", "System", "", "No Such Face At All"};
        static constexpr std::array<int, 7> Heights{-8, -12, -16, -24, 10, 14, 0};
        LogFont font;
        setFaceName(font, oneOf(Faces));
        font.lfHeight = oneOf(Heights);
        font.lfWeight = 100 * (1 + pick(9));
        font.lfItalic = static_cast<std::uint8_t>(pick(2));
        font.lfUnderline = static_cast<std::uint8_t>(pick(2));
        services_.fontAnswer = font;
    }
    const std::array<QString, 4> saves{QString(), folder_ + QStringLiteral("/report.txt"),
                                       folder_ + QStringLiteral("/new/folder/report.txt"), folder_};
    services_.saveAnswer = oneOf(saves);
    // Only the latest warnings matter; the list would grow without end.
    if (services_.warnings.size() > 1000) {
        services_.warnings.clear();
        services_.owners.clear();
    }
}

} // namespace tarsel::testing
