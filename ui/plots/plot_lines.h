#pragma once
// Curves drawn quickly on the screen. Qt strokes a wide antialiased polyline
// as one outline, several times slower than its segments one by one, and a
// dashed one slower still. On the screen each curve therefore goes to the
// painter as separate straight segments, its dashes laid out here and only
// what falls in the plot area; a picture saved or printed keeps the true
// polylines and dash patterns.

#include <qcustomplot.h>

#include <QLineF>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QRectF>

namespace tarsel {

// The pieces of the polyline `points` that pen draws within clip, as
// straight segments: each stretch between gaps (a point that is not finite)
// whole for a solid pen, its dashes for a dashed one (the pen's pattern and
// offset in pen widths, starting afresh after each gap). False, and nothing
// added, when the pen's pattern is not one followed here or would take more
// than `most` segments.
bool strokeSegments(const QList<QPointF>& points, const QPen& pen, const QRectF& clip,
                    QList<QLineF>& segments, qsizetype most = 500000);

// A graph (points sorted along x) whose line is drawn as segments on the screen.
class FastGraph : public QCPGraph {
public:
    using QCPGraph::QCPGraph;

protected:
    void drawLinePlot(QCPPainter* painter, const QList<QPointF>& lines) const override;
};

// A marker line across the plot, drawn likewise.
class FastStraightLine : public QCPItemStraightLine {
public:
    using QCPItemStraightLine::QCPItemStraightLine;

protected:
    void draw(QCPPainter* painter) override;
};

// An outline (its points in their own order), drawn likewise; filled, the
// fill follows the outline with its nearly straight runs joined.
class FastOutline : public QCPCurve {
public:
    using QCPCurve::QCPCurve;

protected:
    void draw(QCPPainter* painter) override;
    void drawCurveLine(QCPPainter* painter, const QList<QPointF>& lines) const override;

private:
    void drawRun(QCPPainter* painter, QList<QPointF> run) const;
};

} // namespace tarsel
