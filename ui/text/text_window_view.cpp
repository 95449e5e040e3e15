#include "ui/text/text_window_view.h"

#include "report/report.h"
#include "ui/common/app_state.h"
#include "ui/common/commands.h"
#include "ui/text/text_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace tarsel {

namespace {

// The report's drawing operation on a painter: the top-left of the first
// character cell at (x, y), in the painter's font and opaque background.
// Rows that isSelected(y) names (by the top of their cells) are drawn in the
// highlight colours.
class PainterSurface : public DrawSurface {
public:
    PainterSurface(QPainter& painter, const QPalette& palette, std::function<bool(int)> isSelected)
        : painter_(painter), palette_(palette), isSelected_(std::move(isSelected)),
          ascent_(painter.fontMetrics().ascent()) {}
    void drawText(int x, int y, std::string_view text) override {
        const bool selected = isSelected_(y);
        painter_.setPen(palette_.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter_.setBackground(palette_.color(selected ? QPalette::Highlight : QPalette::Base));
        painter_.drawText(QPoint(x, y + ascent_), QString::fromLatin1(text));
    }

private:
    QPainter& painter_;
    const QPalette& palette_;
    std::function<bool(int)> isSelected_;
    int ascent_;
};

// The strip that moving the content by (dx, dy) pixels leaves uncovered.
QRect uncoveredStrip(const QRect& area, int dx, int dy) {
    if (std::abs(dx) >= area.width() || std::abs(dy) >= area.height()) {
        return area;
    }
    if (dy < 0) {
        return QRect(0, area.height() + dy, area.width(), -dy);
    }
    if (dy > 0) {
        return QRect(0, 0, area.width(), dy);
    }
    if (dx < 0) {
        return QRect(area.width() + dx, 0, -dx, area.height());
    }
    return QRect(0, 0, dx, area.height());
}

struct MenuItem {
    const char* text; // nullptr: separator
    int id;
};

} // namespace

// ---------------------------------------------------------------- report pane

TextView::TextView(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TextView::paintEvent(QPaintEvent* event) {
    // The window's colours, so that a dark desktop theme shows a dark report.
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(event->rect(), colours.color(QPalette::Base));
    const ScreenView& view = state_.report.view;
    const int lineHeight = std::max(1, view.lineHeight);
    for (int row = selection_.first(); !selection_.empty() && row <= selection_.last(); ++row) {
        const int y = lineHeight * (row - view.vScrollPos);
        painter.fillRect(QRect(0, y, width(), lineHeight), colours.color(QPalette::Highlight));
    }
    painter.setFont(state_.textFont);
    painter.setBackgroundMode(Qt::OpaqueMode);
    PainterSurface surface(painter, colours, [this, lineHeight](int y) {
        return selection_.contains(state_.report.view.vScrollPos + y / lineHeight);
    });
    generateReport(state_.report, state_.params, state_.results, &surface, nullptr, ReportToScreen,
                   state_.terrain.reportSection);
}

int TextView::rowAt(int y) const {
    const ScreenView& view = state_.report.view;
    const int lineHeight = std::max(1, view.lineHeight);
    const int row = view.vScrollPos + (y < 0 ? -1 - (-1 - y) / lineHeight : y / lineHeight);
    return std::clamp(row, 0, std::max(0, state_.report.reportLastRow));
}

void TextView::setSelection(const RowSelection& selection) {
    if (selection == selection_) {
        return;
    }
    selection_ = selection;
    update();
}

void TextView::selectAllRows() {
    RowSelection all;
    all.selectAll(state_.report.reportLastRow);
    setSelection(all);
}

void TextView::clearSelection() {
    setSelection(RowSelection());
}

QString TextView::selectedText() const {
    const std::string report =
        reportText(state_.params, state_.results, state_.terrain.reportSection);
    const std::string text =
        selection_.empty() ? report : textRows(report, selection_.first(), selection_.last());
    return QString::fromLatin1(text);
}

void TextView::copy() const {
    QGuiApplication::clipboard()->setText(selectedText());
}

void TextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    RowSelection selection = selection_;
    const int row = rowAt(event->position().toPoint().y());
    if (event->modifiers() & Qt::ShiftModifier) {
        selection.extendTo(row);
    } else {
        selection.start(row);
    }
    setSelection(selection);
    event->accept();
}

void TextView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // Dragging past the top or bottom edge scrolls one row per move.
    const int y = event->position().toPoint().y();
    auto* window = qobject_cast<TextWindow*>(this->window());
    if (window != nullptr && (y < 0 || y >= height())) {
        window->scrollReport(true, y < 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown);
    }
    RowSelection selection = selection_;
    selection.extendTo(rowAt(std::clamp(y, 0, std::max(0, height() - 1))));
    setSelection(selection);
    event->accept();
}

void TextView::mouseReleaseEvent(QMouseEvent* event) {
    // X11's selection buffer gets the rows, as in other text views.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::LeftButton && !selection_.empty() &&
        clipboard->supportsSelection()) {
        clipboard->setText(selectedText(), QClipboard::Selection);
    }
    QWidget::mouseReleaseEvent(event);
}

void TextView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() == 0 && height() == 0) {
        return; // minimised: every value stays
    }
    state_.report.view.bandHeight = bandHeightFor(height(), state_.report.view.lineHeight);
    ApplyScrollRanges(state_);
}

void TextView::wheelEvent(QWheelEvent* event) {
    // The wheel drives the vertical bar, which scrolls through its actions.
    if (auto* window = qobject_cast<TextWindow*>(this->window())) {
        QCoreApplication::sendEvent(window->verticalBar(), event);
    }
}

// ---------------------------------------------------------------- window

TextWindow::TextWindow(AppState& state) : QMainWindow(nullptr), state_(state) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Text Output"));

    auto* client = new QWidget(this);
    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    view_ = new TextView(state, client);
    vbar_ = new QScrollBar(Qt::Vertical, client);
    hbar_ = new QScrollBar(Qt::Horizontal, client);
    vbar_->setObjectName(QStringLiteral("verticalBar"));
    hbar_->setObjectName(QStringLiteral("horizontalBar"));
    vbar_->setFocusPolicy(Qt::NoFocus);
    hbar_->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(view_, 0, 0);
    grid->addWidget(vbar_, 0, 1);
    grid->addWidget(hbar_, 1, 0);
    setCentralWidget(client);
    setFocusProxy(view_);
    view_->setFocus();

    connect(vbar_, &QScrollBar::actionTriggered, this,
            [this](int action) { onBarAction(vbar_, true, action); });
    connect(hbar_, &QScrollBar::actionTriggered, this,
            [this](int action) { onBarAction(hbar_, false, action); });

    const auto addMenu = [this](const char* title, std::initializer_list<MenuItem> items) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(title));
        for (const MenuItem& item : items) {
            if (item.text == nullptr) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(item.text));
            action->setObjectName(QStringLiteral("cmd%1").arg(item.id));
            const int id = item.id;
            connect(action, &QAction::triggered, this,
                    [this, id] { textWindowCommand(state_, id); });
        }
    };
    addMenu("&File", {{"Save &As Ascii Text", IDM_SAVE_TEXT},
                      {"&Print...", IDM_PRINT_TEXT},
                      {nullptr, 0},
                      {"&Close", IDM_EXIT}});
    if (auto* print = findChild<QAction*>(QStringLiteral("cmd%1").arg(IDM_PRINT_TEXT))) {
        print->setShortcut(QKeySequence::Print);
    }
    addMenu("&Options", {{"General", IDM_TEXT_OPTIONS}, {"Font", IDM_FONT_TEXT}});
    addEditMenu();
}

void TextWindow::addEditMenu() {
    // After the window's own menus, which keep their places.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* copy = edit->addAction(QStringLiteral("&Copy"));
    copy->setObjectName(QStringLiteral("copyRows"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, view_, &TextView::copy);
    QAction* all = edit->addAction(QStringLiteral("Select &All"));
    all->setObjectName(QStringLiteral("selectAllRows"));
    all->setShortcut(QKeySequence::SelectAll);
    connect(all, &QAction::triggered, view_, &TextView::selectAllRows);
    // The same two on the report's own context menu.
    view_->addActions({copy, all});
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TextWindow::onBarAction(QScrollBar* bar, bool vertical, int action) {
    ScrollRequest request = ScrollRequest::EndScroll;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        request = ScrollRequest::LineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        request = ScrollRequest::LineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        request = ScrollRequest::PageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        request = ScrollRequest::PageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        request = ScrollRequest::Top;
        break;
    case QAbstractSlider::SliderToMaximum:
        request = ScrollRequest::Bottom;
        break;
    case QAbstractSlider::SliderMove:
        request = ScrollRequest::ThumbTrack;
        break;
    default:
        break;
    }
    scrollReport(vertical, request, bar->sliderPosition());
    // The bar shows the position the procedure chose, not its own step.
    const ScreenView& v = state_.report.view;
    bar->setSliderPosition(vertical ? v.vScrollPos : v.hScrollPos);
}

void TextWindow::scrollReport(bool vertical, ScrollRequest request, int thumb) {
    ScreenView& v = state_.report.view;
    int& pos = vertical ? v.vScrollPos : v.hScrollPos;
    const int min = vertical ? state_.vScrollMin : state_.hScrollMin;
    const int max = vertical ? state_.vScrollMax : state_.hScrollMax;
    const int delta = scrollDelta(request, pos, min, max, thumb);
    if (delta == 0) {
        return;
    }
    pos += delta;
    // The content moves against the scroll direction by whole rows / columns.
    const int dx = vertical ? 0 : -delta * v.charWidth;
    const int dy = vertical ? -delta * v.lineHeight : 0;
    view_->scroll(dx, dy);
    (vertical ? vbar_ : hbar_)->setValue(pos);
    view_->repaint(uncoveredStrip(view_->rect(), dx, dy));
}

void TextWindow::applyScrollBars() {
    const ScreenView& v = state_.report.view;
    vbar_->setRange(state_.vScrollMin, state_.vScrollMax);
    vbar_->setPageStep(std::max(1, (state_.vScrollMax - state_.vScrollMin) / 10));
    vbar_->setValue(v.vScrollPos);
    hbar_->setRange(state_.hScrollMin, state_.hScrollMax);
    hbar_->setPageStep(std::max(1, (state_.hScrollMax - state_.hScrollMin) / 10));
    hbar_->setValue(v.hScrollPos);
}

void TextWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Home:
        textWindowCommand(state_, IDM_TEXT_HOME);
        break;
    case Qt::Key_End:
        scrollReport(true, ScrollRequest::Bottom);
        break;
    case Qt::Key_PageUp:
        scrollReport(true, ScrollRequest::PageUp);
        break;
    case Qt::Key_PageDown:
        scrollReport(true, ScrollRequest::PageDown);
        break;
    case Qt::Key_Up:
        scrollReport(true, ScrollRequest::LineUp);
        break;
    case Qt::Key_Down:
        scrollReport(true, ScrollRequest::LineDown);
        break;
    // Left and Right move by a horizontal page, not by one column.
    case Qt::Key_Left:
        scrollReport(false, ScrollRequest::PageUp);
        break;
    case Qt::Key_Right:
        scrollReport(false, ScrollRequest::PageDown);
        break;
    case Qt::Key_Escape:
        view_->clearSelection();
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TextWindow::closeEvent(QCloseEvent* event) {
    if (state_.textWindow == this) {
        state_.textWindow = nullptr;
    }
    event->accept();
}

} // namespace tarsel
