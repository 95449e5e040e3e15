#pragma once
// One plot on screen: a chart of a PlotFigure in the window's palette, with
// a read-out of the point nearest the mouse, zoom by rubber band and wheel,
// and a reset to the whole figure.

#include "ui/plots/plot_figure.h"

#include <QChartView>
#include <QString>

class QAbstractAxis;
class QXYSeries;

namespace tarsel {

// The colour of a plot colour in a palette (Foreground: the text colour).
QColor plotColour(PlotColour colour, const QPalette& palette);

class PlotView : public QChartView {
    Q_OBJECT
public:
    explicit PlotView(QWidget* parent = nullptr);

    // Draws figure, replacing what was shown; the zoom is reset.
    void setFigure(const PlotFigure& figure);
    const PlotFigure& figure() const { return figure_; }
    // Lays the chart out at once (Qt does it on the next pass of the event
    // loop), so that a render straight after setFigure draws it whole: the
    // PDF report, the benchmark.
    void layOutNow();

    // The whole figure in view again.
    void resetZoom();
    // Zooms by factor (> 1 in) about a point of the widget.
    void zoomAbout(double factor, QPointF centre);

    // "Smooth hill: x = 120 m, y = -3.1 dB" for the point nearest pos.
    QString readoutAt(QPointF pos) const;
    QString readout() const { return readout_; }

    // The visible axis ranges.
    QPointF xRange() const;
    QPointF yRange() const;

signals:
    void readoutChanged(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void build();
    void applyRanges();
    void applyPalette();
    // Whether zooming in by these factors (< 1: out) keeps both axes within
    // the ranges a chart can draw: never narrower than a millionth of the
    // figure, never wider than ten thousand figures (a log axis: decades).
    bool zoomAllowed(double factorX, double factorY) const;

    PlotFigure figure_;
    QRectF dataBox_; // the figure's extent (x left-right, y top-bottom as values)
    QString readout_;
    QPoint pressAt_; // where the rubber band started
};

} // namespace tarsel
