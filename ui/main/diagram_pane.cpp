#include "ui/main/diagram_pane.h"

#include "engine/link_params.h"
#include "entry/field_description.h"
#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/main/diagram_image.h"
#include "ui/main/entry_commit.h"
#include "ui/main/entry_layout.h"
#include "ui/main/hint_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace tarsel {

namespace {

// Background of the labels, the same colour as the diagram's sky.
const QColor LabelBackground(0, 255, 255);

// A thin black border and no inner padding, so the text fills the box's
// font-sized height.
const char* const EntryBoxStyle = "QLineEdit { border: 1px solid black; padding: 0px; }";

// The outline around the box that has the focus, drawn under the labels just
// outside the box's own border, which it leaves as it is.
constexpr int FocusRingWidth = 2;

bool isEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The artwork's size, or the diagram's own when it is missing.
QSize scalingBase() {
    const QImage& art = diagramImage();
    return art.isNull() ? QSize(DiagramWidth, DiagramHeight) : art.size();
}

} // namespace

struct DiagramPane::Impl {
    explicit Impl(AppState& s) : state(s) {}
    AppState& state;
    EntryBoxes boxes;
    QPointer<HintWindow> hint;
    std::function<void(QLineEdit*)> commitHandler;
};

DiagramPane::DiagramPane(AppState& state, QWidget* parent)
    : QWidget(parent), impl_(new Impl(state)) {
    setObjectName(QStringLiteral("diagramPane"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    const int height = editTextHeight();
    for (int i = 0; i < FieldCount; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("field%1").arg(i));
        box->setProperty("controlId", 2000 + 4 * i);
        box->setMaxLength(EntryMaxLength);
        box->setStyleSheet(QString::fromLatin1(EntryBoxStyle));
        box->setFont(state.editFont);
        // Names the quantity, unit and accepted range to the mouse and to
        // screen readers alike.
        const QString description = QString::fromStdString(fieldToolTip(i));
        box->setToolTip(description);
        box->setAccessibleName(description);
        const DiagramRow& row = diagramRows()[static_cast<std::size_t>(i)];
        box->setGeometry(row.x, row.y, EntryBoxWidth, height);
        box->installEventFilter(this);
        impl_->boxes[static_cast<std::size_t>(i)] = box;
    }
}

DiagramPane::~DiagramPane() {
    delete impl_->hint.data();
    delete impl_;
}

QLineEdit* DiagramPane::field(int index) const {
    if (index < 0 || index >= FieldCount) {
        return nullptr;
    }
    return impl_->boxes[static_cast<std::size_t>(index)].data();
}

int DiagramPane::CommitAllFields(QLineEdit* first) {
    return tarsel::CommitAllFields(impl_->state, impl_->boxes, first);
}

int DiagramPane::CommitField(QLineEdit* box) {
    return tarsel::CommitField(impl_->state, impl_->boxes, box);
}

void DiagramPane::RefreshAllFields() {
    tarsel::RefreshAllFields(impl_->state, impl_->boxes);
}

void DiagramPane::refreshTerrainFields() {
    tarsel::RefreshTerrainFields(impl_->state, impl_->boxes);
}

void DiagramPane::setGeometryFieldsEnabled(bool enabled) {
    for (int i = FieldX12s; i <= FieldY03s; ++i) {
        if (QLineEdit* box = field(i)) {
            box->setEnabled(enabled);
        }
    }
}

void DiagramPane::applyEditFont() {
    for (int i = 0; i < FieldCount; ++i) {
        if (QLineEdit* box = field(i)) {
            box->setFont(impl_->state.editFont);
        }
    }
    layoutFields();
    update();
}

void DiagramPane::setCommitHandler(std::function<void(QLineEdit*)> handler) {
    impl_->commitHandler = std::move(handler);
}

HintWindow* DiagramPane::hintWindow() const {
    return impl_->hint.data();
}

int DiagramPane::editTextHeight() const {
    return EditTextHeight(QFontMetrics(impl_->state.editFont, this));
}

void DiagramPane::layoutFields() {
    const int height = editTextHeight();
    const QSize base = scalingBase();
    for (int i = 0; i < FieldCount; ++i) {
        QLineEdit* box = field(i);
        if (box == nullptr) {
            continue;
        }
        const DiagramRow& row = diagramRows()[static_cast<std::size_t>(i)];
        const QRect place(scaledPosition(row.x, row.y, size(), base), QSize(EntryBoxWidth, height));
        if (box->geometry() != place) {
            box->setGeometry(place);
        }
    }
}

void DiagramPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutFields();
}

void DiagramPane::paintEvent(QPaintEvent*) {
    const int cw = width();
    const int ch = height();
    if (cw <= 0 || ch <= 0) {
        return;
    }
    // The boxes follow the stretched picture; their size stays their font's.
    layoutFields();
    // The artwork, the focus outline and the labels go into the window's
    // backing store, which reaches the screen in one step: no picture of the
    // pane's size is composed beside it.
    QPainter painter(this);
    const QImage& art = diagramImage();
    if (art.isNull()) {
        painter.fillRect(rect(), Qt::white);
    } else {
        painter.drawImage(QRect(0, 0, cw, ch), art);
    }
    drawFocusRing(painter);
    painter.setFont(impl_->state.graphicsFont);
    painter.setPen(Qt::black);
    const QFontMetrics fm = painter.fontMetrics();
    const int boxHeight = editTextHeight();
    const QSize base = scalingBase();
    for (const DiagramRow& row : diagramRows()) {
        const QString label = QString::fromLatin1(row.label);
        const QSize labelSize(fm.horizontalAdvance(label), fm.height());
        const QPoint box = scaledPosition(row.x, row.y, QSize(cw, ch), base);
        const QPoint at = labelTopLeft(row.placement, box, labelSize, boxHeight);
        painter.fillRect(QRect(at, labelSize), LabelBackground);
        painter.drawText(at.x(), at.y() + fm.ascent(), label);
    }
}

void DiagramPane::drawFocusRing(QPainter& painter) {
    auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (entryFieldIndex(impl_->boxes, focused) < 0) {
        return;
    }
    const QRect box = focused->geometry();
    const QRect ring =
        box.adjusted(-FocusRingWidth, -FocusRingWidth, FocusRingWidth, FocusRingWidth);
    painter.save();
    painter.setClipRegion(QRegion(ring).subtracted(QRegion(box)));
    painter.fillRect(ring, palette().color(QPalette::Highlight));
    painter.restore();
}

void DiagramPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    commitAndRecalculate();
    event->accept();
}

void DiagramPane::commitAndRecalculate() {
    AppState& state = impl_->state;
    CommitAllFields(state.hLastEdit.data());
    state.bFieldsRefreshed = false;
    postCommand(state.mainWindow.data(), IDM_RECALC_ALL);
}

void DiagramPane::commitEntry(QLineEdit* box) {
    if (impl_->commitHandler) {
        impl_->commitHandler(box);
        return;
    }
    commitAndRecalculate();
}

void DiagramPane::removeHint() {
    AppState& state = impl_->state;
    if (state.bHintOpen && impl_->hint != nullptr) {
        delete impl_->hint.data();
    }
    impl_->hint = nullptr;
    state.bHintShown = false;
    state.bHintOpen = false;
}

void DiagramPane::keystroke(QLineEdit* box) {
    AppState& state = impl_->state;
    if (!state.bHintShown) {
        impl_->hint = showHint(state, this, box);
    }
    state.hLastEdit = box;
}

bool DiagramPane::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        update(); // the focus outline moves
        return QWidget::eventFilter(watched, event);
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        return QWidget::eventFilter(watched, event);
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (entryFieldIndex(impl_->boxes, box) < 0) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        if (isEnterKey(key)) {
            // Enter commits every field; its character then removes the hint.
            // Neither reaches the box.
            commitEntry(box);
            removeHint();
            return true;
        }
        // A key that types a character.
        if (!key->text().isEmpty()) {
            keystroke(box);
        }
        return false;
    }
    if (isEnterKey(key)) {
        removeHint();
        return true;
    }
    // Any other key's release, also of keys that type nothing.
    keystroke(box);
    return false;
}

} // namespace tarsel
