// How the mouse and keys work a plot view: the read-out of the point
// nearest the mouse, zoom by wheel, right click and keys, pan by the middle
// button and the arrow keys.
#include "entry/number_format.h"
#include "ui/plots/plot_axes.h"
#include "ui/plots/plot_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsel {

namespace {

constexpr double WheelStep = 1.25;    // zoom factor per wheel notch
constexpr double KeyPan = 0.1;        // of the plot's size per arrow key
constexpr double ReadoutReach = 40.0; // pixels either side searched for the nearest point

QString number(double value) {
    return QString::fromStdString(formatG(value, 0, 5));
}

// A value with its unit, if any: "12.5 m".
QString withUnit(double value, const QString& unit) {
    return unit.isEmpty() ? number(value) : number(value) + " " + unit;
}

} // namespace

QString PlotView::readoutAt(QPointF pos) const {
    if (!axisRect()->rect().contains(pos.toPoint())) {
        return {};
    }
    double best = std::numeric_limits<double>::infinity();
    QString text;
    for (std::size_t i = 0; i < figure_.curves.size() && i < plottables_.size(); ++i) {
        if (!plottables_[i]->visible()) {
            continue; // hidden by its legend entry
        }
        const PlotCurve& curve = figure_.curves[i];
        const QCPAxis* valueAxis = plottables_[i]->valueAxis();
        // A long curve's every point, not only those drawn.
        const QList<QPointF>& points = curve.detail.isEmpty() ? curve.points : curve.detail;
        qsizetype from = 0, to = points.size();
        if (qobject_cast<const QCPGraph*>(plottables_[i]) != nullptr) {
            // Sorted along x: only the points near the mouse.
            const double a = xAxis->pixelToCoord(pos.x() - ReadoutReach);
            const double b = xAxis->pixelToCoord(pos.x() + ReadoutReach);
            const auto less = [](const QPointF& p, double v) { return p.x() < v; };
            from = std::lower_bound(points.begin(), points.end(), std::min(a, b), less) -
                   points.begin();
            to = std::lower_bound(points.begin(), points.end(), std::max(a, b), less) -
                 points.begin();
            from = std::max<qsizetype>(0, from - 1);
            to = std::min(points.size(), to + 1);
        }
        for (qsizetype k = from; k < to; ++k) {
            const QPointF& p = points[k];
            if (!showable(p.x(), figure_.x.log) || !showable(p.y(), false)) {
                continue;
            }
            const double d = std::hypot(xAxis->coordToPixel(p.x()) - pos.x(),
                                        valueAxis->coordToPixel(p.y()) - pos.y());
            if (d < best) {
                best = d;
                const QString& unit = curve.right ? figure_.y2.unit : figure_.y.unit;
                text = QStringLiteral("%1: x = %2, y = %3")
                           .arg(curve.name, withUnit(p.x(), figure_.x.unit), withUnit(p.y(), unit));
            }
        }
    }
    return text;
}

void PlotView::updateReadout() {
    const QString text = lastMouse_.x() >= 0 ? readoutAt(lastMouse_) : QString();
    if (text != readout_) {
        readout_ = text;
        emit readoutChanged(text);
    }
}

QString PlotView::entryAt(QPointF pos) const {
    if (!legend->visible()) {
        return {};
    }
    for (int i = 0; i < legend->itemCount(); ++i) {
        auto* entry = qobject_cast<QCPPlottableLegendItem*>(legend->item(i));
        if (entry != nullptr && entry->realVisibility() && entry->rect().contains(pos.toPoint())) {
            return entry->plottable()->name();
        }
    }
    return {};
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    // A click on a legend entry hides or shows its curve; no rubber band starts there.
    if (event->button() == Qt::LeftButton) {
        pressedEntry_ = entryAt(event->position());
        if (!pressedEntry_.isEmpty()) {
            event->accept();
            return;
        }
    }
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        panFrom_ = event->position().toPoint();
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        zoomAbout(0.5, event->position()); // out by two
        event->accept();
        return;
    }
    QCustomPlot::mousePressEvent(event);
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    if (panning_) {
        const QPoint now = event->position().toPoint();
        panBy(now - panFrom_);
        panFrom_ = now;
    }
    QCustomPlot::mouseMoveEvent(event);
    lastMouse_ = event->position();
    // An entry is a button.
    if (const QString entry = entryAt(lastMouse_); entry.isEmpty()) {
        unsetCursor();
        setToolTip(QString());
    } else {
        setCursor(Qt::PointingHandCursor);
        setToolTip(hidden_.contains(entry) ? QStringLiteral("Click to show this curve")
                                           : QStringLiteral("Click to hide this curve"));
    }
    updateReadout();
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !pressedEntry_.isEmpty()) {
        if (entryAt(event->position()) == pressedEntry_) {
            toggleEntry(pressedEntry_);
        }
        pressedEntry_.clear();
        event->accept();
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        panning_ = false;
        event->accept();
        return;
    }
    QCustomPlot::mouseReleaseEvent(event);
}

void PlotView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    zoomAbout(std::pow(WheelStep, std::clamp(notches, -10, 10)), event->position());
    event->accept();
}

void PlotView::keyPressEvent(QKeyEvent* event) {
    const QRect area = axisRect()->rect();
    const double dx = area.width() * KeyPan, dy = area.height() * KeyPan;
    switch (event->key()) {
    case Qt::Key_Left:
        panBy(QPointF(dx, 0));
        break;
    case Qt::Key_Right:
        panBy(QPointF(-dx, 0));
        break;
    case Qt::Key_Up:
        panBy(QPointF(0, dy));
        break;
    case Qt::Key_Down:
        panBy(QPointF(0, -dy));
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAbout(WheelStep, area.center());
        break;
    case Qt::Key_Minus:
        zoomAbout(1 / WheelStep, area.center());
        break;
    default:
        QCustomPlot::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PlotView::leaveEvent(QEvent* event) {
    lastMouse_ = QPointF(-1, -1);
    QCustomPlot::leaveEvent(event);
}

} // namespace tarsel
