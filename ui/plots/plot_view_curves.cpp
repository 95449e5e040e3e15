// The curves of a plot view: their points handed to the plot, and a long
// curve drawn through its envelope for the x range shown, made anew from
// all its points after each zoom or pan (away from the GUI thread when the
// range holds many of them).
#include "ui/plots/plot_axes.h"
#include "ui/plots/plot_envelope.h"
#include "ui/plots/plot_legend_entry.h"
#include "ui/plots/plot_lines.h"
#include "ui/plots/plot_view.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <limits>

namespace tarsel {

namespace {

// Beyond this many points in the range shown, envelopes are made away from
// the GUI thread; meanwhile the curve's envelope over its whole span shows.
constexpr qsizetype DetailOnGuiThread = 250000;

// The points as the plot takes them: a point no axis can show is left out
// and the line breaks there.
void plotData(const QList<QPointF>& points, bool log, QVector<double>& keys,
              QVector<double>& values) {
    keys.clear();
    values.clear();
    keys.reserve(points.size());
    values.reserve(points.size());
    for (const QPointF& p : points) {
        if (showable(p.x(), log) && showable(p.y(), false)) {
            keys.append(p.x());
            values.append(p.y());
        } else if (!keys.isEmpty()) {
            keys.append(keys.back());
            values.append(std::numeric_limits<double>::quiet_NaN());
        }
    }
}

} // namespace

void PlotView::addCurve(const PlotCurve& curve, const QPen& pen, bool sorted) {
    QCPAxis* valueAxis = curve.right ? yAxis2 : yAxis;
    QCPAbstractPlottable* plottable = nullptr;
    if (sorted) {
        auto* graph = new FastGraph(xAxis, valueAxis);
        graph->setAdaptiveSampling(true);
        plottable = graph;
    } else {
        plottable = new FastOutline(xAxis, valueAxis);
    }
    if (hasOwnLegendEntry(curve.name)) {
        legend->addItem(new LegendEntry(legend, plottable));
    }
    plottables_.push_back(plottable);
    fillCurve(plottable, curve, pen);
}

void PlotView::fillCurve(QCPAbstractPlottable* plottable, const PlotCurve& curve, const QPen& pen) {
    QVector<double> keys, values;
    plotData(curve.points, figure_.x.log, keys, values);
    if (auto* graph = qobject_cast<QCPGraph*>(plottable)) {
        graph->setData(keys, values, true);
    } else if (auto* outline = qobject_cast<QCPCurve*>(plottable)) {
        outline->setData(keys, values);
    }
    plottable->setName(curve.name);
    plottable->setPen(pen);
    QColor fill = pen.color();
    fill.setAlphaF(0.35f);
    plottable->setBrush(curve.filled ? QBrush(fill) : QBrush(Qt::NoBrush));
}

void PlotView::setCurvePoints(std::size_t i, const QList<QPointF>& points) {
    auto* graph = i < plottables_.size() ? qobject_cast<QCPGraph*>(plottables_[i]) : nullptr;
    if (graph == nullptr) {
        return;
    }
    QVector<double> keys, values;
    plotData(points, figure_.x.log, keys, values);
    graph->setData(keys, values, true);
}

void PlotView::followDetail() {
    const QCPRange x = xAxis->range();
    if (detailShown_ && x == detailFor_) {
        return;
    }
    std::vector<QList<QPointF>> details;
    qsizetype within = 0;
    for (const PlotCurve& curve : figure_.curves) {
        details.push_back(curve.detail);
        within += curve.detail.isEmpty() ? 0 : pointsWithin(curve.detail, x.lower, x.upper);
    }
    if (within == 0) {
        return; // no long curve
    }
    detailFor_ = x;
    detailShown_ = true;
    ++detailGeneration_;
    const bool log = figure_.x.log;
    if (!zoomed_ || within > DetailOnGuiThread) {
        // The envelope over the whole span, made with the figure.
        for (std::size_t i = 0; i < figure_.curves.size(); ++i) {
            if (!figure_.curves[i].detail.isEmpty()) {
                setCurvePoints(i, figure_.curves[i].points);
            }
        }
        if (!zoomed_) {
            return;
        }
        detailJobGeneration_ = detailGeneration_;
        detailJob_.setFuture(QtConcurrent::run([details = std::move(details), x, log] {
            std::vector<QList<QPointF>> envelopes(details.size());
            for (std::size_t i = 0; i < details.size(); ++i) {
                if (!details[i].isEmpty()) {
                    envelopes[i] = curveEnvelope(details[i], x.lower, x.upper, log);
                }
            }
            return envelopes;
        }));
        return;
    }
    for (std::size_t i = 0; i < details.size(); ++i) {
        if (!details[i].isEmpty()) {
            setCurvePoints(i, curveEnvelope(details[i], x.lower, x.upper, log));
        }
    }
}

void PlotView::detailDone() {
    // Only the newest envelopes, for the range still shown, are drawn.
    if (detailJobGeneration_ != detailGeneration_ || !(xAxis->range() == detailFor_)) {
        return;
    }
    const std::vector<QList<QPointF>> envelopes = detailJob_.future().result();
    for (std::size_t i = 0; i < envelopes.size(); ++i) {
        if (!envelopes[i].isEmpty()) {
            setCurvePoints(i, envelopes[i]);
        }
    }
    replot(rpQueuedReplot);
}

} // namespace tarsel
