#pragma once
// One plot on screen: a PlotFigure drawn with QCustomPlot in the window's
// palette, with a read-out of the point nearest the mouse, zoom by rubber
// band, wheel and right click, pan by the middle button or the arrow keys,
// and a reset to the whole figure. A zoom stays through every refresh of the
// same kind of figure until it is reset. Every range is kept drawable: zoom
// and pan stop at the last range the axes can show. A long curve is drawn
// through its envelope, made anew from its points for the x range shown
// (away from the GUI thread when that range holds many).

#include "ui/plots/plot_figure.h"

#include <qcustomplot.h>

#include <QSet>

#include <QFutureWatcher>
#include <QString>
#include <vector>

class QFontMetricsF;

namespace tarsel {

class PlotView : public QCustomPlot {
    Q_OBJECT
public:
    explicit PlotView(QWidget* parent = nullptr);

    // Draws figure, replacing what was shown.
    void setFigure(const PlotFigure& figure);
    const PlotFigure& figure() const { return figure_; }
    // The title as drawn: the figure's, with the exaggeration shown if it differs.
    QString title() const { return title_->text(); }
    // Lays the plot out and draws it at once, so that a render straight after
    // setFigure draws it whole: the PDF report, the benchmark.
    void layOutNow();

    // Fonts of the given pixel size (the title a little larger), for drawing
    // at a scale: a page's fonts then grow with the plot.
    void setPixelFonts(int pixels);
    // A page's view: a drawing to scale whose heights would leave most of
    // its plot area empty is drawn with a larger exaggeration (the title says
    // which) so that the path fills it.
    void setFillsPage(bool fill) { fillsPage_ = fill; }

    // The whole figure in view again.
    void resetZoom();
    bool zoomed() const { return zoomed_; }
    // Zooms by factor (> 1 in) about a point of the widget.
    void zoomAbout(double factor, QPointF centre);
    // Moves the view by a distance in pixels (the data follows the mouse).
    void panBy(QPointF pixels);

    // "Smooth hill: x = 120 m, y = -3.1 dB" for the point nearest pos.
    QString readoutAt(QPointF pos) const;
    QString readout() const { return readout_; }

    // The visible axis ranges (y2: the right-hand axis).
    QPointF xRange() const;
    QPointF yRange() const;
    QPointF y2Range() const;
    // The curve drawn for figure().curves[i].
    QCPAbstractPlottable* plottable(std::size_t i) const { return plottables_.at(i); }
    // The number of entries the legend shows (0 when it is hidden).
    int legendEntryCount() const;
    // The curves and markers hidden by a click on their legend entry (a
    // second click shows them), by name; they stay hidden through refreshes.
    const QSet<QString>& hiddenNames() const { return hidden_; }
    void setHiddenNames(const QSet<QString>& names);

signals:
    void readoutChanged(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void build();
    // What build makes of the figure: per curve its kind, axis and legend
    // entry, per marker whether it shows. A figure of the shape shown
    // reuses the plottables and items (a refresh), others get new ones.
    std::vector<int> shapeOf() const;
    void addCurve(const PlotCurve& curve, const QPen& pen, bool sorted);
    void fillCurve(QCPAbstractPlottable* plottable, const PlotCurve& curve, const QPen& pen);
    void addMarker(const PlotMarker& marker, const QPen& pen);
    void placeMarker(std::size_t i, const PlotMarker& marker, const QPen& pen);
    // The whole figure's ranges, from the data and the widget's shape.
    void computeFullRanges();
    void applyFullRanges();
    void setRange(QCPAxis* axis, const QCPRange& range);
    // The range an axis may take for a zoom or pan to range.
    QCPRange limited(const QCPAxis* axis, QCPRange range) const;
    void rangeChanged(QCPAxis* axis, const QCPRange& now);
    void updateAxisTitle(QCPAxis* axis);
    void updateTitle();
    void applyPalette();
    // After each layout: tick counts for the plot's size, room for the x
    // axis's end label, the legend's place.
    void arrangeAfterLayout();
    // Tick counts and the end label's room for the plot area as laid out;
    // whether any changed.
    bool arrangeTicks();
    bool labelsCollide(const QVector<double>& ticks, const QVector<QString>& labels,
                       const QFontMetricsF& metrics) const;
    // Whether the plot's margins changed to make it.
    bool makeRoomForEndLabel(const QVector<double>& ticks, const QVector<QString>& labels,
                             const QFontMetricsF& metrics);
    void placeLegend();
    // The name of the legend entry at pos, or "".
    QString entryAt(QPointF pos) const;
    void toggleEntry(const QString& name);
    void applyHidden();
    void updateReadout();
    // Before each replot: the long curves' envelopes for the x range shown.
    void followDetail();
    void detailDone();
    void setCurvePoints(std::size_t i, const QList<QPointF>& points);
    const PlotAxis& axisOf(const QCPAxis* axis) const;
    const QCPRange& fullOf(const QCPAxis* axis) const;

    PlotFigure figure_;
    std::vector<QCPAbstractPlottable*> plottables_; // one per figure curve
    std::vector<QCPItemStraightLine*> markerLines_; // one per marker shown
    std::vector<QCPGraph*> markerEntries_;          // their legend entries
    QSet<QString> hidden_;
    QString pressedEntry_;   // a legend entry pressed, shown or hidden on release
    std::vector<int> shape_; // shapeOf() the figure built
    QCPTextElement* title_ = nullptr;
    QCPRange fullX_, fullY_, fullY2_;
    double shownExaggeration_ = 0.0; // drawn to scale: the exaggeration that fits
    int leastRightMargin_ = 0;       // the plotting library's own
    bool fillsPage_ = false;
    QSize scaledFor_; // the plot area those ranges were made for
    bool zoomed_ = false;
    bool settingRanges_ = false; // ranges set by the view, not by the user
    bool legendBelow_ = false;
    QString readout_;
    QPointF lastMouse_{-1, -1}; // where the mouse was over the plot; negative: away
    QPoint panFrom_;
    bool panning_ = false;
    QCPRange detailFor_;       // the x range the long curves' envelopes were made for
    bool detailShown_ = false; // they are (or are being made) for detailFor_
    QFutureWatcher<std::vector<QList<QPointF>>> detailJob_;
    int detailGeneration_ = 0;    // of the newest envelopes asked for
    int detailJobGeneration_ = 0; // of those detailJob_ makes
};

} // namespace tarsel
