// How a plot view looks: its colours in the window's palette, the curves a
// click on their legend entry hides, the ticks for the plot's size with room
// for the last label across, and where the legend goes (inside the plot, in
// the corner the data leaves free, or below it when there are many entries).
#include "ui/plots/plot_colours.h"
#include "ui/plots/plot_view.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>

namespace tarsel {

namespace {

constexpr int SampledPoints = 400; // per curve, when looking for a free corner
constexpr int CornerGap = 6;       // pixels between the legend and the plot's edge
constexpr int EdgeGap = 2;         // pixels between an end label and the widget's edge
constexpr int LabelGap = 8;        // pixels at least between two labels across

} // namespace

void PlotView::applyPalette() {
    const QPalette pal = palette();
    const QColor background = plotBackground(pal);
    const QColor text = pal.color(QPalette::WindowText);
    setBackground(background);
    axisRect()->setBackground(background);
    QPen major(gridColour(pal, true), 1, Qt::SolidLine);
    QPen minor(gridColour(pal, false), 1, Qt::CustomDashLine);
    minor.setDashPattern({1.0, 4.0});
    for (QCPAxis* axis : {xAxis, yAxis, yAxis2}) {
        axis->setBasePen(QPen(text, 1));
        axis->setTickPen(QPen(text, 1));
        axis->setSubTickPen(QPen(text, 1));
        axis->setTickLabelColor(text);
        axis->setLabelColor(text);
        axis->grid()->setPen(major);
        axis->grid()->setSubGridPen(minor);
        axis->grid()->setZeroLinePen(QPen(gridColour(pal, true), 1));
    }
    title_->setTextColor(text);
    QColor box = background;
    box.setAlpha(230);
    legend->setBrush(box);
    legend->setBorderPen(QPen(gridColour(pal, true), 1));
    legend->setTextColor(text);
    QColor band = pal.color(QPalette::Highlight);
    band.setAlpha(50);
    selectionRect()->setPen(QPen(text, 1, Qt::DashLine));
    selectionRect()->setBrush(band);
}

void PlotView::setHiddenNames(const QSet<QString>& names) {
    hidden_ = names;
    applyHidden();
}

void PlotView::applyHidden() {
    // A zone's lower edge goes with its upper one, which names the entry.
    const auto shown = [this](const QString& name) {
        return !hidden_.contains(legendNameOf(name));
    };
    for (std::size_t i = 0; i < plottables_.size() && i < figure_.curves.size(); ++i) {
        plottables_[i]->setVisible(shown(figure_.curves[i].name));
    }
    for (std::size_t i = 0; i < markerLines_.size() && i < markerEntries_.size(); ++i) {
        markerLines_[i]->setVisible(shown(markerEntries_[i]->name()));
    }
    // A hidden one's entry stays, its text greyed.
    const QPalette pal = palette();
    for (int i = 0; i < legend->itemCount(); ++i) {
        if (auto* entry = qobject_cast<QCPPlottableLegendItem*>(legend->item(i))) {
            entry->setTextColor(shown(entry->plottable()->name())
                                    ? pal.color(QPalette::WindowText)
                                    : pal.color(QPalette::Disabled, QPalette::WindowText));
        }
    }
}

void PlotView::toggleEntry(const QString& name) {
    if (!hidden_.remove(name)) {
        hidden_.insert(name);
    }
    applyHidden();
    replot(rpQueuedReplot);
    updateReadout();
}

void PlotView::arrangeAfterLayout() {
    // A legend below the plot takes its rows' height first. The ticks of this
    // drawing were made before this layout's end: made again while their
    // count or the plot's margins change, which moves the plot area; a few
    // passes settle them. Then the legend inside takes the freest corner.
    placeLegend();
    for (int pass = 0; pass < 3 && arrangeTicks(); ++pass) {
        for (const auto phase : {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins,
                                 QCPLayoutElement::upLayout}) {
            plotLayout()->update(phase);
        }
    }
    placeLegend();
}

bool PlotView::arrangeTicks() {
    const std::array<QCPAxis*, 3> axes{xAxis, yAxis, yAxis2};
    std::array<int, 3> before{};
    // About one label per 90 pixels across and 45 up.
    const QRect area = axisRect()->rect();
    for (std::size_t i = 0; i < axes.size(); ++i) {
        QCPAxis* axis = axes[i];
        before[i] = axis->ticker()->tickCount();
        const int length = axis->orientation() == Qt::Horizontal ? area.width() : area.height();
        const int spacing = axis->orientation() == Qt::Horizontal ? 90 : 45;
        axis->ticker()->setTickCount(std::clamp(length / spacing, 2, 12));
    }
    // Labels across never run into each other: long ones (a deep zoom's
    // many digits) take fewer ticks.
    QVector<double> ticks;
    QVector<QString> labels;
    const QFontMetricsF metrics(xAxis->tickLabelFont());
    for (int count = xAxis->ticker()->tickCount();; --count) {
        xAxis->ticker()->setTickCount(count);
        ticks.clear();
        labels.clear();
        xAxis->ticker()->generate(xAxis->range(), locale(), QLatin1Char('g'), 6, ticks, nullptr,
                                  &labels);
        if (count <= 2 || figure_.x.log || labels.size() != ticks.size() ||
            !labelsCollide(ticks, labels, metrics)) {
            break;
        }
    }
    bool changed = makeRoomForEndLabel(ticks, labels, metrics);
    for (std::size_t i = 0; i < axes.size(); ++i) {
        changed = changed || axes[i]->ticker()->tickCount() != before[i];
    }
    return changed;
}

bool PlotView::labelsCollide(const QVector<double>& ticks, const QVector<QString>& labels,
                             const QFontMetricsF& metrics) const {
    for (qsizetype i = 1; i < ticks.size(); ++i) {
        const double apart =
            std::fabs(xAxis->coordToPixel(ticks[i]) - xAxis->coordToPixel(ticks[i - 1]));
        const double needed =
            (metrics.horizontalAdvance(labels[i]) + metrics.horizontalAdvance(labels[i - 1])) / 2;
        if (apart < needed + LabelGap) {
            return true;
        }
    }
    return false;
}

bool PlotView::makeRoomForEndLabel(const QVector<double>& ticks, const QVector<QString>& labels,
                                   const QFontMetricsF& metrics) {
    // QCustomPlot leaves out a tick label that would cross the widget's edge:
    // the x axis's last one, centred on the plot's right end when a sweep ends
    // on a round value, gets room beside the plot (a right axis gives it some).
    int room = 0;
    if (!yAxis2->visible() && xAxis->tickLabels() && !labels.isEmpty() &&
        labels.size() == ticks.size()) {
        const double inside = axisRect()->right() - xAxis->coordToPixel(ticks.last());
        const double half = metrics.horizontalAdvance(labels.last()) / 2;
        room = static_cast<int>(std::ceil(half - inside)) + EdgeGap;
    }
    QMargins margins = axisRect()->minimumMargins();
    const int right = std::max(leastRightMargin_, room);
    if (margins.right() == right) {
        return false;
    }
    margins.setRight(right);
    axisRect()->setMinimumMargins(margins);
    return true;
}

void PlotView::placeLegend() {
    if (!legend->visible() || legend->itemCount() == 0) {
        return;
    }
    const QRect area = axisRect()->rect();
    if (legendBelow_) {
        // As many columns as the width holds, each as wide as the widest entry.
        const QFontMetrics metrics(legend->font());
        int widest = 1;
        for (int i = 0; i < legend->itemCount(); ++i) {
            if (auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i))) {
                widest = std::max(widest, metrics.horizontalAdvance(item->plottable()->name()));
            }
        }
        widest += legend->iconSize().width() + legend->iconTextPadding() + legend->columnSpacing() +
                  2 * CornerGap;
        const int columns = std::clamp(width() / widest, 1, legend->itemCount());
        if (legend->wrap() != columns) {
            legend->setWrap(columns);
            legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true); // rearranged
            // Its rows all shown, whatever the plot area is left with: the
            // hint (of the outer size) and a gap, which the text's
            // descenders need at some screen scales.
            legend->setSizeConstraintRect(QCPLayoutElement::scrOuterRect);
            legend->setMinimumSize(0, legend->minimumOuterSizeHint().height() + CornerGap);
            for (const auto phase : {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins,
                                     QCPLayoutElement::upLayout}) {
                plotLayout()->update(phase);
            }
        }
        return;
    }
    // Inside: the corner with the fewest points under it.
    const QSize size = legend->minimumOuterSizeHint();
    const std::array<Qt::Alignment, 4> corners = {
        Qt::AlignTop | Qt::AlignRight, Qt::AlignTop | Qt::AlignLeft,
        Qt::AlignBottom | Qt::AlignRight, Qt::AlignBottom | Qt::AlignLeft};
    std::array<int, 4> covered{};
    for (std::size_t c = 0; c < corners.size(); ++c) {
        const bool right = corners[c] & Qt::AlignRight;
        const bool bottom = corners[c] & Qt::AlignBottom;
        const QRect box(right ? area.right() - size.width() - CornerGap : area.left() + CornerGap,
                        bottom ? area.bottom() - size.height() - CornerGap : area.top() + CornerGap,
                        size.width(), size.height());
        for (std::size_t i = 0; i < plottables_.size() && i < figure_.curves.size(); ++i) {
            const QList<QPointF>& points = figure_.curves[i].points;
            const QCPAxis* valueAxis = plottables_[i]->valueAxis();
            const qsizetype step = std::max<qsizetype>(1, points.size() / SampledPoints);
            for (qsizetype k = 0; k < points.size(); k += step) {
                const QPointF at(xAxis->coordToPixel(points[k].x()),
                                 valueAxis->coordToPixel(points[k].y()));
                covered[c] += box.contains(at.toPoint()) ? 1 : 0;
            }
        }
    }
    const auto best = std::min_element(covered.begin(), covered.end()) - covered.begin();
    QCPLayoutInset* inset = axisRect()->insetLayout();
    const int at = inset->elements(false).indexOf(legend);
    if (at >= 0 && inset->insetAlignment(at) != corners[static_cast<std::size_t>(best)]) {
        inset->setInsetAlignment(at, corners[static_cast<std::size_t>(best)]);
        inset->setMargins(QMargins(CornerGap, CornerGap, CornerGap, CornerGap));
        inset->update(QCPLayoutElement::upLayout);
    }
}

} // namespace tarsel
