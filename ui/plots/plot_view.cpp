#include "ui/plots/plot_view.h"

#include "entry/number_format.h"

#include <QChart>
#include <QCoreApplication>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tarsel {

namespace {

constexpr double WheelStep = 1.25;    // zoom factor per wheel notch
constexpr double Margin = 0.04;       // free space around the data, of its span
constexpr double MarkerReach = 100.0; // marker lines reach this many spans beyond the data
const char* const MarkerProperty = "plotMarker";
constexpr double MinZoomSpan = 1e-6;  // of the whole figure's span
constexpr double MaxZoomSpan = 1e4;   // of the whole figure's span
constexpr double MaxExtraDecades = 6; // a log axis zoomed out beyond the figure

QString number(double value) {
    return QString::fromStdString(formatG(value, 0, 5));
}

bool usable(QPointF p, bool logX) {
    return std::isfinite(p.x()) && std::isfinite(p.y()) && (!logX || p.x() > 0.0);
}

bool usable(const PlotMarker& m, bool logX) {
    return std::isfinite(m.at) && !(m.vertical && logX && m.at <= 0.0);
}

// A value with its unit, if any: "12.5 m".
QString withUnit(double value, const QString& unit) {
    return unit.isEmpty() ? number(value) : number(value) + " " + unit;
}

// Adds series to the chart on its two axes, drawn with pen.
void addSeries(QChart* chart, QLineSeries* series, const QPen& pen, QAbstractAxis* x,
               QAbstractAxis* y) {
    series->setPen(pen);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// The span [lo, hi] widened by the margin; a point or nothing gets a unit span.
QPointF padded(double lo, double hi, bool log) {
    if (!(lo <= hi)) {
        return log ? QPointF(1.0, 10.0) : QPointF(0.0, 1.0);
    }
    if (log) {
        const double ratio = hi > lo ? std::pow(hi / lo, Margin) : 2.0;
        return QPointF(lo / ratio, hi * ratio);
    }
    const double pad = hi > lo ? (hi - lo) * Margin : std::max(1.0, std::fabs(lo) * 0.1);
    return QPointF(lo - pad, hi + pad);
}

// A range the chart can hold: finite, increasing, and on a log axis positive
// and within the doubles whose logarithms round-trip (beyond, the chart's log
// axis and its domain correct each other without end).
QPointF drawable(QPointF range, bool log) {
    const double limit = log ? 1e300 : std::numeric_limits<double>::max() / 4;
    const double floor = log ? 1e-300 : -limit;
    double lo = std::clamp(std::isnan(range.x()) ? floor : range.x(), floor, limit);
    double hi = std::clamp(std::isnan(range.y()) ? limit : range.y(), floor, limit);
    if (log) {
        if (!(hi > lo * (1 + 1e-9))) {
            lo = std::min(lo, limit / 10);
            hi = lo * 10;
        }
    } else if (!(hi > lo)) {
        hi = lo + std::max(1.0, std::fabs(lo));
    }
    return QPointF(lo, hi);
}

// The round step (1, 2 or 5 times a power of ten) nearest above step.
double roundStep(double step) {
    if (!(step > 0.0) || !std::isfinite(step)) {
        return 1.0;
    }
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= step) {
            return m * decade;
        }
    }
    return 10.0 * decade;
}

} // namespace

QColor plotColour(PlotColour colour, const QPalette& palette) {
    switch (colour) {
    case PlotColour::Orange:
        return QColor(0xE6, 0x9F, 0x00);
    case PlotColour::SkyBlue:
        return QColor(0x56, 0xB4, 0xE9);
    case PlotColour::BluishGreen:
        return QColor(0x00, 0x9E, 0x73);
    case PlotColour::Yellow:
        return QColor(0xF0, 0xE4, 0x42);
    case PlotColour::Blue:
        return QColor(0x00, 0x72, 0xB2);
    case PlotColour::Vermillion:
        return QColor(0xD5, 0x5E, 0x00);
    case PlotColour::Purple:
        return QColor(0xCC, 0x79, 0xA7);
    case PlotColour::Foreground:
        break;
    }
    return palette.color(QPalette::WindowText);
}

PlotView::PlotView(QWidget* parent) : QChartView(new QChart, parent) {
    setObjectName(QStringLiteral("plotView"));
    setRubberBand(QChartView::RectangleRubberBand);
    setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing);
    // One entry a line beside the plot: a row below it cuts long names short.
    chart()->legend()->setAlignment(Qt::AlignRight);
    chart()->legend()->setShowToolTips(true);
    applyPalette();
}

void PlotView::setFigure(const PlotFigure& figure) {
    figure_ = figure;
    build();
}

void PlotView::layOutNow() {
    // The chart lays itself out, and deletes the parts of the figure before,
    // only when the event loop runs; no user input is taken meanwhile.
    for (int pass = 0; pass < 2; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void PlotView::build() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    c->setTitle(figure_.title);

    QAbstractAxis* x = nullptr;
    if (figure_.x.log) {
        auto* axis = new QLogValueAxis;
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setMinorTickCount(-1);
        x = axis;
    } else {
        x = new QValueAxis;
    }
    auto* y = new QValueAxis;
    for (QAbstractAxis* axis : {x, static_cast<QAbstractAxis*>(y)}) {
        auto* linear = qobject_cast<QValueAxis*>(axis);
        if (linear == nullptr) {
            continue;
        }
        linear->setLabelFormat(QStringLiteral("%g")); // 1000, not 1000.0
        if (figure_.exaggeration > 0.0) {
            // Drawn to scale: the ranges stay exact; round ticks inside them,
            // about eight to an axis however far it is zoomed.
            linear->setTickType(QValueAxis::TicksDynamic);
            linear->setTickAnchor(0.0);
            connect(linear, &QValueAxis::rangeChanged, linear, [linear](qreal lo, qreal hi) {
                linear->setTickInterval(roundStep((hi - lo) / 8));
            });
        }
    }
    x->setTitleText(figure_.x.label());
    y->setTitleText(figure_.y.label());
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);

    // The data's extent, from the curves and the markers; the axes take their
    // ranges before any series is attached, and each series gets its points
    // once attached, so that Qt Charts lays every curve out once, not once for
    // every range and axis change.
    const double inf = std::numeric_limits<double>::infinity();
    double x0 = inf, x1 = -inf, y0 = inf, y1 = -inf;
    std::vector<QList<QPointF>> curvePoints;
    curvePoints.reserve(figure_.curves.size());
    for (const PlotCurve& curve : figure_.curves) {
        QList<QPointF>& points = curvePoints.emplace_back();
        points.reserve(curve.points.size());
        for (const QPointF& p : curve.points) {
            if (usable(p, figure_.x.log)) {
                points.append(p);
                x0 = std::min(x0, p.x());
                x1 = std::max(x1, p.x());
                y0 = std::min(y0, p.y());
                y1 = std::max(y1, p.y());
            }
        }
    }
    for (const PlotMarker& m : figure_.markers) {
        if (!usable(m, figure_.x.log)) {
            continue;
        }
        if (m.vertical) {
            x0 = std::min(x0, m.at);
            x1 = std::max(x1, m.at);
        } else {
            y0 = std::min(y0, m.at);
            y1 = std::max(y1, m.at);
        }
    }
    dataBox_ = QRectF(QPointF(x0, y0), QPointF(x1, y1));
    applyRanges();

    const QPalette pal = palette();
    for (std::size_t i = 0; i < figure_.curves.size(); ++i) {
        const PlotCurve& curve = figure_.curves[i];
        auto* series = new QLineSeries;
        series->setName(curve.name);
        QPen pen(plotColour(curve.colour, pal));
        pen.setWidthF(curve.strong ? 3.0 : 1.5);
        pen.setStyle(curve.dashed ? Qt::DashLine : Qt::SolidLine);
        addSeries(c, series, pen, x, y);
        series->replace(curvePoints[i]);
    }

    // Marker lines reach far beyond the data, so that they cross any zoom.
    const QPointF xs = padded(x0, x1, figure_.x.log);
    const QPointF ys = padded(y0, y1, false);
    const double yReach = (ys.y() - ys.x()) * MarkerReach;
    for (const PlotMarker& m : figure_.markers) {
        if (!usable(m, figure_.x.log)) {
            continue;
        }
        auto* series = new QLineSeries;
        series->setName(m.name);
        series->setProperty(MarkerProperty, true);
        QPen pen(plotColour(m.colour, pal));
        pen.setWidthF(1.0);
        pen.setStyle(Qt::DotLine);
        addSeries(c, series, pen, x, y);
        if (m.vertical) {
            series->replace({QPointF(m.at, ys.x() - yReach), QPointF(m.at, ys.y() + yReach)});
        } else {
            const double lo =
                figure_.x.log ? xs.x() / 1e6 : xs.x() - (xs.y() - xs.x()) * MarkerReach;
            const double hi =
                figure_.x.log ? xs.y() * 1e6 : xs.y() + (xs.y() - xs.x()) * MarkerReach;
            series->replace({QPointF(lo, m.at), QPointF(hi, m.at)});
        }
    }
    // One curve alone is named by its axis: the plot gets the legend's room.
    c->legend()->setVisible(c->series().size() > 1);
    // Curves that only complete another (a zone's second edge) share its entry.
    applyPalette();
}

void PlotView::applyRanges() {
    QChart* c = chart();
    const auto horizontal = c->axes(Qt::Horizontal);
    const auto vertical = c->axes(Qt::Vertical);
    if (horizontal.isEmpty() || vertical.isEmpty()) {
        return;
    }
    // Drawn to scale, or with no span of its own, the data gets a margin.
    QPointF xs(dataBox_.left(), dataBox_.right());
    if (figure_.exaggeration > 0.0 || !(xs.x() < xs.y())) {
        xs = padded(dataBox_.left(), dataBox_.right(), figure_.x.log);
    }
    QPointF ys = padded(dataBox_.top(), dataBox_.bottom(), false);
    const QRectF area = c->plotArea();
    if (figure_.exaggeration > 0.0 && area.width() > 0 && area.height() > 0) {
        // One metre up drawn as `exaggeration` metres along: metres per pixel.
        const double perPixel = std::max((xs.y() - xs.x()) / area.width(),
                                         figure_.exaggeration * (ys.y() - ys.x()) / area.height());
        const double xc = (xs.x() + xs.y()) / 2;
        const double yc = (ys.x() + ys.y()) / 2;
        const double halfW = perPixel * area.width() / 2;
        const double halfH = perPixel / figure_.exaggeration * area.height() / 2;
        xs = QPointF(xc - halfW, xc + halfW);
        ys = QPointF(yc - halfH, yc + halfH);
    }
    xs = drawable(xs, figure_.x.log);
    ys = drawable(ys, false);
    horizontal.first()->setRange(xs.x(), xs.y());
    vertical.first()->setRange(ys.x(), ys.y());
    if (figure_.exaggeration <= 0.0) {
        // Round tick values; a drawn-to-scale profile keeps its exact ranges.
        for (QAbstractAxis* axis : {horizontal.first(), vertical.first()}) {
            if (auto* linear = qobject_cast<QValueAxis*>(axis)) {
                linear->applyNiceNumbers();
            }
        }
    }
}

void PlotView::applyPalette() {
    const QPalette pal = palette();
    const QColor text = pal.color(QPalette::WindowText);
    QChart* c = chart();
    c->setBackgroundBrush(pal.color(QPalette::Base));
    c->setTitleBrush(text);
    c->legend()->setLabelColor(text);
    for (QAbstractAxis* axis : c->axes()) {
        axis->setLabelsColor(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(text);
        axis->setGridLineColor(pal.color(QPalette::Mid));
    }
    // The second edge of a pair shares the legend entry of the first.
    const auto all = c->series();
    for (QAbstractSeries* s : all) {
        for (QLegendMarker* m : c->legend()->markers(s)) {
            m->setVisible(!s->name().endsWith(QStringLiteral(", lower")));
        }
    }
}

void PlotView::resetZoom() {
    chart()->zoomReset();
    applyRanges();
}

bool PlotView::zoomAllowed(double factorX, double factorY) const {
    const QPointF fullX = padded(dataBox_.left(), dataBox_.right(), figure_.x.log);
    const QPointF fullY = padded(dataBox_.top(), dataBox_.bottom(), false);
    const QPointF xs = xRange();
    const QPointF ys = yRange();
    const auto fits = [](double span, double full, double factor, double maxSpan) {
        const double next = span / factor;
        return std::isfinite(next) && next >= full * MinZoomSpan && next <= maxSpan;
    };
    bool xOk = false;
    if (figure_.x.log) {
        // Spans in decades: the chart's log axis loops or lays out endless
        // ticks beyond these.
        const double full = std::log10(fullX.y() / fullX.x());
        xOk = xs.x() > 0.0 &&
              fits(std::log10(xs.y() / xs.x()), full, factorX, full + MaxExtraDecades);
    } else {
        const double full = fullX.y() - fullX.x();
        xOk = fits(xs.y() - xs.x(), full, factorX, full * MaxZoomSpan);
    }
    const double fullH = fullY.y() - fullY.x();
    return xOk && fits(ys.y() - ys.x(), fullH, factorY, fullH * MaxZoomSpan);
}

void PlotView::zoomAbout(double factor, QPointF centre) {
    if (!zoomAllowed(factor, factor)) {
        return;
    }
    QRectF area = chart()->plotArea();
    const QPointF c = chart()->mapFromScene(mapToScene(centre.toPoint()));
    const double w = area.width() / factor;
    const double h = area.height() / factor;
    // Keep the point under the mouse where it is.
    const double fx = (c.x() - area.left()) / area.width();
    const double fy = (c.y() - area.top()) / area.height();
    area = QRectF(c.x() - fx * w, c.y() - fy * h, w, h);
    chart()->zoomIn(area);
}

QPointF PlotView::xRange() const {
    const auto axes = chart()->axes(Qt::Horizontal);
    if (axes.isEmpty()) {
        return {};
    }
    if (auto* log = qobject_cast<QLogValueAxis*>(axes.first())) {
        return QPointF(log->min(), log->max());
    }
    auto* axis = static_cast<QValueAxis*>(axes.first());
    return QPointF(axis->min(), axis->max());
}

QPointF PlotView::yRange() const {
    const auto axes = chart()->axes(Qt::Vertical);
    if (axes.isEmpty()) {
        return {};
    }
    auto* axis = static_cast<QValueAxis*>(axes.first());
    return QPointF(axis->min(), axis->max());
}

QString PlotView::readoutAt(QPointF pos) const {
    const QPointF scene = mapToScene(pos.toPoint());
    const QPointF at = chart()->mapFromScene(scene);
    if (!chart()->plotArea().contains(at)) {
        return {};
    }
    double best = std::numeric_limits<double>::infinity();
    QString text;
    for (QAbstractSeries* s : chart()->series()) {
        if (s->property(MarkerProperty).toBool()) {
            continue;
        }
        auto* series = static_cast<QXYSeries*>(s);
        const QList<QPointF> points = series->points();
        for (const QPointF& p : points) {
            const QPointF screen = chart()->mapToPosition(p, series);
            const double d = std::hypot(screen.x() - at.x(), screen.y() - at.y());
            if (d < best) {
                best = d;
                text = QStringLiteral("%1: x = %2, y = %3")
                           .arg(series->name(), withUnit(p.x(), figure_.x.unit),
                                withUnit(p.y(), figure_.y.unit));
            }
        }
    }
    return text;
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    pressAt_ = event->position().toPoint();
    QChartView::mousePressEvent(event);
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    // The chart zooms into the rubber band on the left button and out by 2 on
    // the right: refuse either where it would leave the drawable ranges.
    const QRectF area = chart()->plotArea();
    const QRectF band = QRectF(pressAt_, event->position()).normalized();
    const bool allowed =
        event->button() == Qt::RightButton
            ? zoomAllowed(0.5, 0.5)
            : event->button() != Qt::LeftButton ||
                  (band.width() >= 1.0 && band.height() >= 1.0 &&
                   zoomAllowed(area.width() / band.width(), area.height() / band.height()));
    if (!allowed) {
        if (auto* rubber = findChild<QRubberBand*>()) {
            rubber->hide();
        }
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QString text = readoutAt(event->position());
    if (text != readout_) {
        readout_ = text;
        emit readoutChanged(text);
    }
}

void PlotView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    zoomAbout(std::pow(WheelStep, notches), event->position());
    event->accept();
}

void PlotView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    if (figure_.exaggeration > 0.0 && !chart()->isZoomed()) {
        applyRanges();
    }
}

void PlotView::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        build();
    }
}

} // namespace tarsel
