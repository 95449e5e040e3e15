#include "ui/text/text_window_view.h"

#include "report/report.h"
#include "ui/common/app_state.h"
#include "ui/common/commands.h"
#include "ui/text/text_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace tarsel {

namespace {

// The report's drawing operation on a painter: the top-left of the first
// character cell at (x, y), in the painter's font and opaque background.
class PainterSurface : public DrawSurface {
public:
    explicit PainterSurface(QPainter& painter)
        : painter_(painter), ascent_(painter.fontMetrics().ascent()) {}
    void drawText(int x, int y, std::string_view text) override {
        painter_.drawText(QPoint(x, y + ascent_),
                          QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }

private:
    QPainter& painter_;
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
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.setFont(state_.textFont);
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    PainterSurface surface(painter);
    generateReport(state_.report, state_.params, state_.results, &surface, nullptr, ReportToScreen);
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
    addMenu("&File", {{"Save &As Ascii Text", IDM_SAVE_TEXT}, {nullptr, 0}, {"&Close", IDM_EXIT}});
    addMenu("&Options", {{"General", IDM_TEXT_OPTIONS}, {"Font", IDM_FONT_TEXT}});
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
