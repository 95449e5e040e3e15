#include "ui/main/status_pane.h"

#include "entry/number_format.h"
#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace tarsel {

std::array<QString, 2> statusButtonDescriptions() {
    return {QStringLiteral("Hill Type: switches between the smooth and the rough hill (only "
                           "while diffraction is on)"),
            QStringLiteral("Diffr. Tog: switches the diffraction loss on or off")};
}

QColor statusGrey() {
    return QColor(192, 192, 192);
}

int statusFrameSize() {
    const int frame = QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return frame > 0 ? frame : 1;
}

std::array<std::string, 3> resultLineTexts(const LinkResults& results, const LinkParams& params) {
    if (params.bDiffract == 0) {
        return {"Max. range (exc. diffr. loss) = " + formatRight10(results.noDiffraction.maxRange) +
                    " m",
                "Margin at nom. range (exc. diffr. loss) = " +
                    formatRight10(results.noDiffraction.marginDb) + " dB",
                "No diffraction"};
    }
    const bool rough = params.nHillType != 0;
    const PathResult& inForce = rough ? results.roughHill : results.smoothHill;
    return {"Max. range (inc. diffr. loss) = " + formatRight10(inForce.maxRange) + " m",
            "Margin at nom. range (inc. diffr. loss) = " + formatRight10(inForce.marginDb) + " dB",
            rough ? "Rough hill" : "Smooth hill"};
}

std::array<QRect, 5> statusPaneLayout(int cw, int ch, int h, int c, int f) {
    const int lineHeight = (3 * h) / 2;
    // Left 70 % for lines 1 and 2, right 30 % for line 3 above the buttons.
    const int x1 = f;
    const int w1 = (cw * 7) / 10 - 2 * f;
    const int x2 = x1 + 2 * f + w1;
    const int w2 = (cw * 3) / 10 - 2 * f;
    // The free height shared equally above, between and below the two rows.
    const int y1 = (ch - 2 * lineHeight) / 3;
    const int y2 = (2 * (ch - 2 * lineHeight)) / 3 + lineHeight;
    // Two buttons separated by one average character width.
    const int b = (w2 - c) / 2;
    return {QRect(x1, y1, w1, lineHeight), QRect(x1, y2, w1, lineHeight),
            QRect(x2, y1, w2, lineHeight), QRect(x2, y2, b, lineHeight),
            QRect(x2 + b + c, y2, b, lineHeight)};
}

namespace {

void setGreyBackground(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, statusGrey());
    palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

ResultLine::ResultLine(AppState& state, int id, QWidget* parent)
    : QFrame(parent), state_(state), id_(id) {
    setObjectName(QStringLiteral("line%1").arg(id));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setGreyBackground(this);
}

void ResultLine::setLineText(const QString& text) {
    text_ = text.left(127);
    setAccessibleName(text_); // drawn by hand: screen readers take it from here
    update();
}

void ResultLine::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(state_.controlFont);
    const QRect client = contentsRect();
    const int textHeight = QFontMetrics(state_.controlFont).height();
    painter.setClipRect(client);
    painter.setPen(Qt::black);
    painter.setBackground(statusGrey());
    painter.setBackgroundMode(Qt::OpaqueMode);
    const int y = client.top() + (client.height() - textHeight) / 2;
    painter.drawText(QRect(client.left(), y, client.width(), textHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
}

StatusPane::StatusPane(AppState& state, QWidget* parent) : QFrame(parent), state_(state) {
    setObjectName(QStringLiteral("statusPane"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setGreyBackground(this);
    for (int i = 0; i < 3; ++i) {
        lines_[i] = new ResultLine(state_, ResultLineIds[i], this);
        lines_[i]->setLineText(QStringLiteral("Ok"));
    }
    hillType_ = new QPushButton(QStringLiteral("Hill Type"), this);
    hillType_->setObjectName(QStringLiteral("button3000"));
    diffraction_ = new QPushButton(QStringLiteral("Diffr. Tog"), this);
    diffraction_->setObjectName(QStringLiteral("button3001"));
    const auto descriptions = statusButtonDescriptions();
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        QPushButton* button = i == 0 ? hillType_ : diffraction_;
        button->setToolTip(descriptions[i]);
        button->setAccessibleName(descriptions[i]);
    }
    connect(hillType_, &QPushButton::clicked, this, &StatusPane::toggleHillType);
    connect(diffraction_, &QPushButton::clicked, this, &StatusPane::toggleDiffraction);
    for (QWidget* child : std::initializer_list<QWidget*>{lines_[0], lines_[1], lines_[2],
                                                          hillType_, diffraction_}) {
        child->setGeometry(0, 0, 0, 0);
    }
}

ResultLine* StatusPane::resultLine(int index) const {
    return index >= 0 && index < 3 ? lines_[static_cast<std::size_t>(index)] : nullptr;
}

void StatusPane::SetResultLines() {
    const auto texts = resultLineTexts(state_.results, state_.params);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        lines_[i]->setLineText(QString::fromStdString(texts[i]));
    }
}

void StatusPane::setHillTypeEnabled(bool enabled) {
    hillType_->setEnabled(enabled);
}

void StatusPane::applyControlFont() {
    hillType_->setFont(state_.controlFont);
    diffraction_->setFont(state_.controlFont);
    for (ResultLine* line : lines_) {
        line->update();
    }
}

void StatusPane::layoutChildren() {
    const QFontMetrics metrics(state_.controlFont);
    const QRect client = contentsRect();
    const auto places = statusPaneLayout(client.width(), client.height(), metrics.height(),
                                         metrics.averageCharWidth(), statusFrameSize());
    QWidget* children[5] = {lines_[0], lines_[1], lines_[2], hillType_, diffraction_};
    for (int i = 0; i < 5; ++i) {
        children[i]->setGeometry(places[static_cast<std::size_t>(i)].translated(client.topLeft()));
    }
}

void StatusPane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutChildren();
}

void StatusPane::toggleHillType() {
    state_.params.nHillType = state_.params.nHillType == 0 ? 1 : 0;
    state_.bFieldsRefreshed = false;
    postCommand(state_.mainWindow.data(), IDM_RECALC_ALL);
}

void StatusPane::toggleDiffraction() {
    state_.params.bDiffract = state_.params.bDiffract == 0 ? 1 : 0;
    state_.bFieldsRefreshed = false;
    postCommand(state_.mainWindow.data(), IDM_RECALC_ALL);
}

} // namespace tarsel
