#include "ui/plots/plot_view.h"

#include "entry/number_format.h"
#include "ui/plots/plot_axes.h"
#include "ui/plots/plot_colours.h"
#include "ui/plots/plot_legend_entry.h"
#include "ui/plots/plot_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsel {

namespace {

constexpr double MinZoomSpan = 1e-6;  // of the whole figure's span
constexpr double MaxZoomSpan = 1e4;   // of the whole figure's span
constexpr double MaxExtraDecades = 6; // a log axis zoomed out beyond the figure
const char* const MarkerProperty = "plotMarker";
// On a page, a drawing to scale whose heights would fill less than half of
// the plot area is drawn with a larger exaggeration.
constexpr double PageFillFactor = 2.0;

// What a curve or marker makes (PlotView::shapeOf).
constexpr int ShapeSorted = 1;   // a graph along x (else an outline)
constexpr int ShapeRight = 2;    // against the right-hand axis
constexpr int ShapeInLegend = 4; // with an entry of its own
constexpr int ShapeMarker = 8;
constexpr int ShapeShown = 16; // a marker at a position the axes can show

// Whether two curves draw the same line (one hides the other).
bool coincide(const PlotCurve& a, const PlotCurve& b) {
    if (a.points.size() != b.points.size() || a.points.isEmpty() || a.right != b.right) {
        return false;
    }
    double span = 0.0;
    for (const QPointF& p : a.points) {
        span = std::max(span, std::fabs(p.y()));
    }
    const double tolerance = std::max(span, 1.0) * 1e-9;
    for (qsizetype i = 0; i < a.points.size(); ++i) {
        if (a.points[i].x() != b.points[i].x() ||
            !(std::fabs(a.points[i].y() - b.points[i].y()) <= tolerance)) {
            return false;
        }
    }
    return true;
}

// value rounded down to two significant digits (47.3 -> 47, 1234 -> 1200).
double roundedDown(double value) {
    const double step = std::pow(10.0, std::floor(std::log10(value)) - 1.0);
    const double rounded = std::floor(value / step) * step;
    return rounded > 0.0 && std::isfinite(rounded) ? rounded : value;
}

struct Extent {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void add(double v) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
};

} // namespace

PlotView::PlotView(QWidget* parent) : QCustomPlot(parent) {
    setObjectName(QStringLiteral("plotView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAntialiasedElements(QCP::aePlottables | QCP::aeItems | QCP::aeLegendItems);
    setNoAntialiasingOnDrag(true);
    setPlottingHint(QCP::phFastPolylines); // solid lines drawn segment by segment
    setSelectionRectMode(QCP::srmZoom);
    setAutoAddPlottableToLegend(false); // entries that measure their text once, added here
    // Nothing is selectable: a click never changes how a curve looks.
    setInteractions(QCP::Interactions());

    leastRightMargin_ = axisRect()->minimumMargins().right();
    plotLayout()->insertRow(0);
    title_ = new QCPTextElement(this, QString());
    title_->setLayer(QStringLiteral("axes")); // never under the plot area's clip
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    title_->setFont(titleFont);
    plotLayout()->addElement(0, 0, title_);

    for (QCPAxis* axis : {xAxis, yAxis, yAxis2}) {
        axis->grid()->setSubGridVisible(true);
        axis->setTickLabelPadding(4);
        connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
                [this, axis](const QCPRange& now) { rangeChanged(axis, now); });
    }
    yAxis2->grid()->setVisible(false);
    yAxis2->grid()->setSubGridVisible(false);
    legend->setLayer(QStringLiteral("legend"));
    legend->setIconSize(32, 12);
    connect(this, &QCustomPlot::afterLayout, this, &PlotView::arrangeAfterLayout);
    connect(this, &QCustomPlot::beforeReplot, this, &PlotView::followDetail);
    connect(&detailJob_, &QFutureWatcherBase::finished, this, &PlotView::detailDone);
    applyPalette();
}

void PlotView::setFigure(const PlotFigure& figure) {
    const bool sameAxes = figure.x.log == figure_.x.log && figure.x.unit == figure_.x.unit &&
                          figure.y.unit == figure_.y.unit && figure.y2.unit == figure_.y2.unit &&
                          figure.y2.title.isEmpty() == figure_.y2.title.isEmpty() &&
                          figure.exaggeration == figure_.exaggeration;
    const bool keepZoom = zoomed_ && sameAxes;
    const QCPRange x = xAxis->range(), y = yAxis->range(), y2 = yAxis2->range();
    figure_ = figure;
    detailShown_ = false; // new curves: their envelopes are made again
    build();
    computeFullRanges();
    if (keepZoom) {
        setRange(xAxis, x);
        setRange(yAxis, y);
        setRange(yAxis2, y2);
    } else {
        zoomed_ = false;
        applyFullRanges();
    }
    replot(rpQueuedReplot);
    updateReadout();
}

void PlotView::layOutNow() {
    replot(rpImmediateRefresh);
    if (figure_.exaggeration > 0.0 && !zoomed_ && axisRect()->rect().size() != scaledFor_) {
        // Drawn to scale: the ranges follow the plot area's shape, known now
        // (the same as before, mostly, and then drawn once).
        computeFullRanges();
        applyFullRanges();
        replot(rpImmediateRefresh);
    }
}

void PlotView::setPixelFonts(int pixels) {
    QFont base = font();
    base.setPixelSize(pixels);
    QFont bold = base;
    bold.setBold(true);
    bold.setPixelSize(pixels * 6 / 5);
    title_->setFont(bold);
    legend->setFont(base);
    for (QCPAxis* axis : {xAxis, yAxis, yAxis2}) {
        axis->setTickLabelFont(base);
        axis->setLabelFont(base);
    }
}

void PlotView::build() {
    const std::vector<int> shape = shapeOf();
    const bool reuse = shape == shape_ && plottables_.size() == figure_.curves.size();
    if (!reuse) {
        clearPlottables();
        clearItems();
        legend->clearItems();
        plottables_.clear();
        markerLines_.clear();
        markerEntries_.clear();
    }

    const bool log = figure_.x.log;
    // Minor grid lines only between the decades of a log axis.
    xAxis->grid()->setSubGridVisible(log);
    yAxis->grid()->setSubGridVisible(false);
    xAxis->setScaleType(log ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new PlotTicker(figure_.x.unit, log)));
    yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new PlotTicker(figure_.y.unit, false)));
    yAxis2->setTicker(QSharedPointer<QCPAxisTicker>(new PlotTicker(figure_.y2.unit, false)));
    const bool right = !figure_.y2.title.isEmpty();
    yAxis2->setVisible(right);
    yAxis2->setTickLabels(right);

    const QPalette pal = palette();
    for (std::size_t i = 0; i < figure_.curves.size(); ++i) {
        const PlotCurve& curve = figure_.curves[i];
        QPen pen(plotColour(curve.colour, pal));
        pen.setWidthF(curve.strong ? 2.5 : 1.5);
        pen.setStyle(curve.dashed ? Qt::DashLine : Qt::SolidLine);
        // A curve drawn over an earlier one is dashed, so both stay visible.
        for (std::size_t j = 0; j < i; ++j) {
            if (coincide(curve, figure_.curves[j])) {
                pen.setDashPattern({5.0, 4.0});
                break;
            }
        }
        if (reuse) {
            fillCurve(plottables_[i], curve, pen);
        } else {
            addCurve(curve, pen, shape[i] & ShapeSorted);
        }
    }
    std::size_t shown = 0;
    for (std::size_t i = 0; i < figure_.markers.size(); ++i) {
        if (!(shape[figure_.curves.size() + i] & ShapeShown)) {
            continue; // at a position no axis can show (an unbounded range)
        }
        QPen pen(plotColour(figure_.markers[i].colour, pal));
        pen.setWidthF(1.2);
        pen.setStyle(Qt::DotLine);
        if (reuse) {
            placeMarker(shown, figure_.markers[i], pen);
        } else {
            addMarker(figure_.markers[i], pen);
        }
        ++shown;
    }
    shape_ = shape;
    // One curve alone is named by its axis: the plot gets the legend's room.
    legend->setVisible(legend->itemCount() > 1);
    legendBelow_ = legend->itemCount() > 4;
    // A legend below the plot keeps its frame off the widget's bottom edge.
    plotLayout()->setMargins(QMargins(0, 0, 0, legendBelow_ ? 2 : 0));
    QCPLayoutInset* inset = axisRect()->insetLayout();
    if (legendBelow_ && inset->elements(false).contains(legend)) {
        inset->take(legend);
        plotLayout()->addElement(2, 0, legend);
        plotLayout()->setRowStretchFactor(2, 0.001);
        legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    } else if (!legendBelow_ && !inset->elements(false).contains(legend)) {
        plotLayout()->take(legend);
        plotLayout()->simplify();
        inset->addElement(legend, Qt::AlignTop | Qt::AlignRight);
        legend->setFillOrder(QCPLayoutGrid::foRowsFirst);
        legend->setWrap(0);
    }
    if (!legend->visible() && plotLayout()->elements(false).contains(legend)) {
        legend->setVisible(false);
    }
    applyPalette();
    applyHidden();
}

std::vector<int> PlotView::shapeOf() const {
    std::vector<int> shape;
    for (const PlotCurve& curve : figure_.curves) {
        const bool sorted =
            !curve.filled &&
            std::is_sorted(curve.points.begin(), curve.points.end(),
                           [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        shape.push_back((sorted ? ShapeSorted : 0) | (curve.right ? ShapeRight : 0) |
                        (hasOwnLegendEntry(curve.name) ? ShapeInLegend : 0));
    }
    for (const PlotMarker& m : figure_.markers) {
        const bool shown = m.vertical ? showable(m.at, figure_.x.log) : showable(m.at, false);
        shape.push_back(ShapeMarker | (shown ? ShapeShown : 0));
    }
    return shape;
}

void PlotView::addMarker(const PlotMarker& marker, const QPen& pen) {
    auto* line = new FastStraightLine(this);
    line->setClipToAxisRect(true);
    // Its legend entry: an empty graph drawn with the marker's pen.
    auto* entry = new QCPGraph(xAxis, yAxis);
    entry->setProperty(MarkerProperty, true);
    legend->addItem(new LegendEntry(legend, entry));
    markerLines_.push_back(line);
    markerEntries_.push_back(entry);
    placeMarker(markerLines_.size() - 1, marker, pen);
}

void PlotView::placeMarker(std::size_t i, const PlotMarker& marker, const QPen& pen) {
    QCPItemStraightLine* line = markerLines_[i];
    line->setPen(pen);
    if (marker.vertical) {
        line->point1->setCoords(marker.at, 0.0);
        line->point2->setCoords(marker.at, 1.0);
    } else {
        const double x0 = figure_.x.log ? 1.0 : 0.0;
        line->point1->setCoords(x0, marker.at);
        line->point2->setCoords(x0 * 10 + 1, marker.at);
    }
    markerEntries_[i]->setName(marker.name);
    markerEntries_[i]->setPen(pen);
}

void PlotView::computeFullRanges() {
    const bool log = figure_.x.log;
    Extent x, y, y2;
    for (const PlotCurve& curve : figure_.curves) {
        for (const QPointF& p : curve.points) {
            if (showable(p.x(), log) && showable(p.y(), false)) {
                x.add(p.x());
                (curve.right ? y2 : y).add(p.y());
            }
        }
    }
    for (const PlotMarker& m : figure_.markers) {
        if (m.vertical && showable(m.at, log)) {
            x.add(m.at);
        } else if (!m.vertical && showable(m.at, false)) {
            y.add(m.at);
        }
    }
    // A swept axis runs exactly over its values; a drawing of a path gets a margin.
    const bool margin = figure_.exaggeration > 0.0 || figure_.pathDrawing || !(x.lo < x.hi);
    fullX_ = margin ? paddedRange(x.lo, x.hi, log) : drawable(QCPRange(x.lo, x.hi), log);
    fullY_ = paddedRange(y.lo, y.hi, false);
    fullY2_ = paddedRange(y2.lo, y2.hi, false);
    shownExaggeration_ = figure_.exaggeration;
    const QRect area = axisRect()->rect();
    scaledFor_ = area.size();
    if (figure_.exaggeration > 0.0 && area.width() > 0 && area.height() > 0) {
        // One metre up drawn as `exaggeration` metres along, the path across
        // the whole width; heights that do not fit lower the exaggeration.
        const double perPixelX = fullX_.size() / area.width();
        const double fits = perPixelX / (fullY_.size() / area.height()); // heights fill the area
        if (fits < figure_.exaggeration) {
            shownExaggeration_ = fits;
        } else {
            if (fillsPage_ && std::isfinite(fits) && fits > PageFillFactor * figure_.exaggeration) {
                shownExaggeration_ = roundedDown(fits);
            }
            // The ground at the bottom, the sky above it.
            const double height = perPixelX / shownExaggeration_ * area.height();
            fullY_ = drawable(QCPRange(fullY_.lower, fullY_.lower + height), false);
        }
    }
    updateTitle();
}

void PlotView::applyFullRanges() {
    setRange(xAxis, fullX_);
    setRange(yAxis, fullY_);
    setRange(yAxis2, fullY2_);
}

void PlotView::setRange(QCPAxis* axis, const QCPRange& range) {
    settingRanges_ = true;
    axis->setRange(drawable(range, axis->scaleType() == QCPAxis::stLogarithmic));
    settingRanges_ = false;
    updateAxisTitle(axis);
}

QCPRange PlotView::limited(const QCPAxis* axis, QCPRange r) const {
    const bool log = axis->scaleType() == QCPAxis::stLogarithmic;
    const QCPRange& full = fullOf(axis);
    r = drawable(r, log);
    if (log) {
        // Spans in decades about the middle, in logarithms.
        const double fullSpan = std::log10(full.upper / full.lower);
        double lo = std::log10(r.lower), hi = std::log10(r.upper);
        const double span = std::clamp(hi - lo, fullSpan * MinZoomSpan, fullSpan + MaxExtraDecades);
        const double mid = (lo + hi) / 2;
        lo = mid - span / 2;
        hi = mid + span / 2;
        const double floor = std::log10(LogAxisFloor), ceiling = std::log10(AxisLimit);
        const double shift = lo < floor ? floor - lo : (hi > ceiling ? ceiling - hi : 0.0);
        return drawable(QCPRange(std::pow(10.0, lo + shift), std::pow(10.0, hi + shift)), true);
    }
    const double fullSpan = full.size();
    const double least =
        std::max(fullSpan * MinZoomSpan, std::max(std::fabs(r.lower), std::fabs(r.upper)) * 1e-9);
    const double span = std::clamp(r.size(), least, std::min(fullSpan * MaxZoomSpan, AxisLimit));
    const double mid = r.center();
    double lo = mid - span / 2, hi = mid + span / 2;
    if (lo < -AxisLimit) {
        hi += -AxisLimit - lo;
        lo = -AxisLimit;
    } else if (hi > AxisLimit) {
        lo -= hi - AxisLimit;
        hi = AxisLimit;
    }
    return drawable(QCPRange(lo, hi), false);
}

void PlotView::rangeChanged(QCPAxis* axis, const QCPRange& now) {
    if (settingRanges_) {
        return;
    }
    // A zoom or pan of the user's (the rubber band, the wheel, the keys):
    // kept within what the axes can draw.
    zoomed_ = true;
    const QCPRange allowed = limited(axis, now);
    if (allowed != now) {
        settingRanges_ = true;
        axis->setRange(allowed);
        settingRanges_ = false;
    }
    updateAxisTitle(axis);
}

const PlotAxis& PlotView::axisOf(const QCPAxis* axis) const {
    return axis == xAxis ? figure_.x : axis == yAxis ? figure_.y : figure_.y2;
}

const QCPRange& PlotView::fullOf(const QCPAxis* axis) const {
    return axis == xAxis ? fullX_ : axis == yAxis ? fullY_ : fullY2_;
}

void PlotView::updateAxisTitle(QCPAxis* axis) {
    const PlotAxis& a = axisOf(axis);
    auto* ticker = dynamic_cast<PlotTicker*>(axis->ticker().data());
    if (a.unit.isEmpty() || (ticker != nullptr && ticker->labelsCarryUnit())) {
        axis->setLabel(a.title);
        return;
    }
    const QCPRange r = axis->range();
    const UnitPrefix prefix = unitPrefix(a.unit, std::max(std::fabs(r.lower), std::fabs(r.upper)));
    axis->setLabel(QStringLiteral("%1 [%2%3]").arg(a.title, prefix.prefix, a.unit));
}

void PlotView::updateTitle() {
    QString text = figure_.title;
    if (figure_.exaggeration > 0.0 && shownExaggeration_ < figure_.exaggeration * 0.99) {
        text += QStringLiteral(" \u2013 heights shown x%1 to fit")
                    .arg(QString::fromStdString(formatG(shownExaggeration_, 0, 3)));
    } else if (shownExaggeration_ > figure_.exaggeration) {
        text += QStringLiteral(" \u2013 heights shown x%1 to fill the page")
                    .arg(QString::fromStdString(formatG(shownExaggeration_, 0, 3)));
    }
    title_->setText(text);
}

void PlotView::resetZoom() {
    zoomed_ = false;
    computeFullRanges();
    applyFullRanges();
    replot(rpQueuedReplot);
    updateReadout();
}

void PlotView::zoomAbout(double factor, QPointF centre) {
    if (!(factor > 0.0) || !std::isfinite(factor)) {
        return;
    }
    for (QCPAxis* axis : {xAxis, yAxis, yAxis2}) {
        if (!axis->visible()) {
            continue;
        }
        const bool log = axis->scaleType() == QCPAxis::stLogarithmic;
        const double at =
            axis->pixelToCoord(axis->orientation() == Qt::Horizontal ? centre.x() : centre.y());
        const QCPRange r = axis->range();
        QCPRange next;
        if (log) {
            if (!(at > 0.0) || !std::isfinite(at)) {
                continue;
            }
            next = QCPRange(at * std::pow(r.lower / at, 1 / factor),
                            at * std::pow(r.upper / at, 1 / factor));
        } else {
            next = QCPRange(at + (r.lower - at) / factor, at + (r.upper - at) / factor);
        }
        zoomed_ = true;
        settingRanges_ = true;
        axis->setRange(limited(axis, next));
        settingRanges_ = false;
        updateAxisTitle(axis);
    }
    replot(rpQueuedReplot);
}

void PlotView::panBy(QPointF pixels) {
    for (QCPAxis* axis : {xAxis, yAxis, yAxis2}) {
        if (!axis->visible()) {
            continue;
        }
        const double d = axis->orientation() == Qt::Horizontal ? pixels.x() : pixels.y();
        const double lo = axis->pixelToCoord(axis->coordToPixel(axis->range().lower) - d);
        const double hi = axis->pixelToCoord(axis->coordToPixel(axis->range().upper) - d);
        zoomed_ = true;
        settingRanges_ = true;
        axis->setRange(limited(axis, QCPRange(std::min(lo, hi), std::max(lo, hi))));
        settingRanges_ = false;
        updateAxisTitle(axis);
    }
    replot(rpQueuedReplot);
}

QPointF PlotView::xRange() const {
    return QPointF(xAxis->range().lower, xAxis->range().upper);
}

QPointF PlotView::yRange() const {
    return QPointF(yAxis->range().lower, yAxis->range().upper);
}

QPointF PlotView::y2Range() const {
    return QPointF(yAxis2->range().lower, yAxis2->range().upper);
}

int PlotView::legendEntryCount() const {
    // Cells of the legend's grid, some empty once it wraps into rows.
    int entries = 0;
    for (int i = 0; legend->visible() && i < legend->elementCount(); ++i) {
        entries += legend->elementAt(i) != nullptr ? 1 : 0;
    }
    return entries;
}

void PlotView::resizeEvent(QResizeEvent* event) {
    QCustomPlot::resizeEvent(event);
    if (figure_.exaggeration > 0.0 && !zoomed_) {
        // The layout at the new size first: the scale needs the plot area's shape.
        plotLayout()->update(QCPLayoutElement::upPreparation);
        plotLayout()->update(QCPLayoutElement::upMargins);
        plotLayout()->update(QCPLayoutElement::upLayout);
        computeFullRanges();
        applyFullRanges();
    }
}

void PlotView::changeEvent(QEvent* event) {
    QCustomPlot::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        build();
        replot(rpQueuedReplot);
    }
}

} // namespace tarsel
