#include "ui/main/hint_window.h"

#include "ui/common/app_state.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace tarsel {

namespace {

// Hint background, a pale yellow.
const QColor HintBackground(255, 255, 127);

} // namespace

QString HintWindow::hintText() {
    return QStringLiteral("Press Enter when finished changing an entry");
}

HintWindow::HintWindow(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), closeButton_(new QToolButton(this)) {
    setObjectName(QStringLiteral("hintWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    closeButton_->setObjectName(QStringLiteral("hintClose"));
    closeButton_->setFocusPolicy(Qt::NoFocus);
    closeButton_->setAutoRaise(true);
    closeButton_->setText(QStringLiteral("\u00d7"));
    closeButton_->setToolTip(QStringLiteral("Close"));
    connect(closeButton_, &QToolButton::clicked, this, &QWidget::close);
}

int HintWindow::frameWidth() const {
    return std::max(1, style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
}

int HintWindow::captionHeight() const {
    return fontMetrics().height() + 4;
}

QSize HintWindow::hintSize() const {
    const QFontMetrics fm = fontMetrics();
    const int cx = fm.horizontalAdvance(hintText());
    const int cy = fm.height();
    return QSize(cx + fm.averageCharWidth(),
                 cy + std::max(0, fm.leading()) + 2 * frameWidth() + captionHeight());
}

void HintWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int f = frameWidth();
    const int c = captionHeight();
    closeButton_->setGeometry(width() - f - c, f, c, c);
}

void HintWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int f = frameWidth();
    const int c = captionHeight();
    // Frame and caption in the window colours, client area pale yellow.
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.fillRect(QRect(f, f, width() - 2 * f, c), palette().color(QPalette::Highlight));
    const QRect client(f, f + c, width() - 2 * f, height() - 2 * f - c);
    painter.fillRect(client, HintBackground);
    // The text in the default colour, transparent over the yellow.
    const QFontMetrics fm = fontMetrics();
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(client.left() + fm.averageCharWidth() / 2, client.top() + fm.ascent(),
                     hintText());
}

void HintWindow::closeEvent(QCloseEvent* event) {
    // Closed by its close box: no new hint before the next Enter.
    state_.bHintOpen = false;
    event->accept();
}

QPoint placeHint(QPoint boxTopLeft, int boxHeight, QSize hint, QRect pane, int frame) {
    const int left = pane.left();
    const int right = pane.left() + pane.width();
    const int bottom = pane.top() + pane.height();
    int x = boxTopLeft.x();
    int y = boxTopLeft.y() + boxHeight + frame;
    if (x + hint.width() > right) {
        if (right - left < hint.width()) {
            x = (right - left) / 2 - hint.width() / 2;
        } else {
            x = right - hint.width();
        }
    }
    if (y + hint.height() > bottom) {
        y = boxTopLeft.y() - hint.height() - frame;
    }
    return QPoint(x, y);
}

HintWindow* showHint(AppState& state, QWidget* pane, QLineEdit* box) {
    if (pane == nullptr || box == nullptr) {
        return nullptr;
    }
    QWidget* parent = state.mainWindow.data();
    if (parent == nullptr || !parent->isAncestorOf(pane)) {
        parent = pane->window();
    }
    auto* hint = new HintWindow(state, parent);
    state.bHintShown = true;
    state.bHintOpen = true;

    const QSize size = hint->hintSize();
    const QPoint at =
        placeHint(box->geometry().topLeft(), box->height(), size, pane->rect(), hint->frameWidth());
    // Pane coordinates, carried into the parent's.
    hint->setGeometry(QRect(pane->mapTo(parent, at), size));
    hint->show();
    hint->raise();
    hint->update();
    box->setFocus(Qt::OtherFocusReason);
    return hint;
}

} // namespace tarsel
