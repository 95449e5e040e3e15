#pragma once
// A long curve drawn through its envelope: of its points in each narrow
// column of the x range shown, the first, the lowest, the highest and the
// last. The line through them covers the pixels the line through every point
// covers, with a few thousand points however many the curve has.

#include <QList>
#include <QPointF>

namespace tarsel {

// Curves with more points than this are drawn through their envelope.
inline constexpr qsizetype EnvelopeFrom = 100000;
// Columns across the range: more than a plot has pixels across on any screen.
inline constexpr int EnvelopeColumns = 4096;

// The envelope of points (sorted by x, every x finite) over [lo, hi] cut into
// `columns` equal columns (equal in log10 x when log): of each column's
// points the first, lowest, highest and last, in their order, with the
// nearest point beyond either end so that the line runs on to the edge. A
// point whose y is not finite (or whose x is not positive, when log) is kept
// as it is, a break in the line. The points within the range (and the one
// beyond either end) are given back as they are when there are no more than
// four per column.
QList<QPointF> curveEnvelope(const QList<QPointF>& points, double lo, double hi, bool log,
                             int columns = EnvelopeColumns);

// The number of points curveEnvelope looks at for [lo, hi].
qsizetype pointsWithin(const QList<QPointF>& points, double lo, double hi);

} // namespace tarsel
