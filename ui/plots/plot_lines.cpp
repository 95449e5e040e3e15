#include "ui/plots/plot_lines.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarsel {

namespace {

constexpr std::size_t MostDashes = 32; // entries of a dash pattern followed here
constexpr double MinPeriod = 0.5;      // pixels: a dash pattern's shortest repeat followed here
constexpr double Straightness = 0.1;   // pixels: a bend this small is drawn straight
constexpr qsizetype LongestRun = 32;   // segments drawn as one at most

bool finite(const QPointF& p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// The part of segment a-b inside rect as fractions [t0, t1] of its length
// (Liang-Barsky); false when none of it is.
bool clipped(const QPointF& a, const QPointF& b, const QRectF& rect, double& t0, double& t1) {
    t0 = 0.0;
    t1 = 1.0;
    const auto edge = [&](double p, double q) {
        if (p == 0.0) {
            return q >= 0.0;
        }
        const double r = q / p;
        if (p < 0.0) {
            if (r > t1) {
                return false;
            }
            t0 = std::max(t0, r);
        } else {
            if (r < t0) {
                return false;
            }
            t1 = std::min(t1, r);
        }
        return true;
    };
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    return edge(-dx, a.x() - rect.left()) && edge(dx, rect.right() - a.x()) &&
           edge(-dy, a.y() - rect.top()) && edge(dy, rect.bottom() - a.y()) && t0 < t1;
}

QPointF within(const QPointF& p, const QRectF& rect) {
    return {std::clamp(p.x(), rect.left(), rect.right()),
            std::clamp(p.y(), rect.top(), rect.bottom())};
}

// Where along its pattern a dashed line stands: the entry (even: a dash,
// odd: a space) and the length left of it, in pixels.
class DashWalk {
public:
    // False for a pattern not followed here (none, odd, too long, an entry
    // that is not a positive length).
    bool set(const QPen& pen) {
        const QList<qreal> pattern = pen.dashPattern();
        if (pattern.isEmpty() || pattern.size() % 2 != 0 ||
            static_cast<std::size_t>(pattern.size()) > MostDashes) {
            return false;
        }
        // Lengths in pen widths; a cosmetic pen's width counts as one pixel.
        const double unit = pen.widthF() > 0.0 ? pen.widthF() : 1.0;
        count_ = static_cast<std::size_t>(pattern.size());
        period_ = 0.0;
        for (std::size_t i = 0; i < count_; ++i) {
            lengths_[i] = pattern[static_cast<qsizetype>(i)] * unit;
            if (!(lengths_[i] > 0.0) || !std::isfinite(lengths_[i])) {
                return false;
            }
            period_ += lengths_[i];
        }
        if (!(period_ >= MinPeriod)) {
            return false; // finer than a pixel: left to the painter's own dashes
        }
        offset_ = std::fmod(pen.dashOffset() * unit, period_);
        if (!std::isfinite(offset_)) {
            return false;
        }
        restart();
        return true;
    }
    // The start of a line: the pattern from the pen's offset.
    void restart() {
        entry_ = 0;
        left_ = lengths_[0];
        skip(offset_ < 0.0 ? offset_ + period_ : offset_);
    }
    // Moves on by length without drawing.
    void skip(double length) {
        length = std::fmod(length, period_);
        while (length >= left_) {
            length -= left_;
            next();
        }
        left_ -= length;
    }
    // The dashes along a-b, a part of a line inside the plot (a few
    // thousand pixels at most: measured from its own start, each dash moves
    // the walk on however far the whole line reaches beyond the plot).
    void dashes(const QPointF& a, const QPointF& b, QList<QLineF>& out) {
        const QPointF d = b - a;
        const double to = std::sqrt(QPointF::dotProduct(d, d));
        if (!(to > 0.0) || !std::isfinite(to)) {
            return;
        }
        const QPointF step = d / to;
        for (double at = 0.0; at < to;) {
            const double end = at + left_;
            if (end >= to) {
                // The entry goes on past this segment.
                if (entry_ % 2 == 0) {
                    out.append(QLineF(a + step * at, a + step * to));
                }
                left_ -= to - at;
                if (!(left_ > 0.0)) {
                    next();
                }
                return;
            }
            if (entry_ % 2 == 0) {
                out.append(QLineF(a + step * at, a + step * end));
            }
            at = end;
            next();
        }
    }

private:
    void next() {
        entry_ = (entry_ + 1) % count_;
        left_ = lengths_[entry_];
    }

    std::array<double, MostDashes> lengths_{};
    std::size_t count_ = 0;
    double period_ = 0.0;
    double offset_ = 0.0;
    std::size_t entry_ = 0;
    double left_ = 0.0;
};

// The square of the distance of p from segment a-b.
double distance2(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a, ap = p - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0.0 ? std::clamp(QPointF::dotProduct(ap, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF off = ap - ab * t;
    return QPointF::dotProduct(off, off);
}

// Whether every point between from and to lies within Straightness of the
// segment joining them.
bool straight(const QList<QPointF>& points, qsizetype from, qsizetype to) {
    for (qsizetype k = from + 1; k < to; ++k) {
        if (!(distance2(points[k], points[from], points[to]) <= Straightness * Straightness)) {
            return false;
        }
    }
    return true;
}

// The polyline with each run of segments that bends less than Straightness
// drawn as one segment: the same pixels, fewer strokes. Gaps stay.
QList<QPointF> straightened(const QList<QPointF>& points) {
    QList<QPointF> out;
    out.reserve(points.size());
    qsizetype start = -1; // the kept point the current segment starts from
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (!finite(points[i])) {
            if (start >= 0 && out.back() != points[i - 1]) {
                out.append(points[i - 1]);
            }
            out.append(points[i]);
            start = -1;
            continue;
        }
        if (start < 0) {
            out.append(points[i]);
            start = i;
            continue;
        }
        // Points[i - 1] is kept unless the segment to points[i] passes close
        // enough to it and to everything since start.
        if (i - start > LongestRun || !straight(points, start, i)) {
            out.append(points[i - 1]);
            start = i - 1;
        }
    }
    if (start >= 0 && out.back() != points.back()) {
        out.append(points.back());
    }
    return out;
}

// On the screen, not making a picture to keep (a vector file, an image saved).
bool onScreen(const QCPPainter* painter) {
    return !painter->modes().testFlag(QCPPainter::pmVectorized) &&
           !painter->modes().testFlag(QCPPainter::pmNoCaching);
}

// Draws lines as segments when painting on the screen; false when the
// painter makes a picture to keep (a vector file, an image saved) or the pen
// is not one drawn here, so that the plot's own polyline is drawn instead.
bool drawSegments(QCPPainter* painter, const QRectF& clip, const QList<QPointF>& lines) {
    if (!onScreen(painter)) {
        return false;
    }
    QPen pen = painter->pen();
    // Room for the caps of a segment cut at the plot's edge.
    const double margin = 2.0 * std::max(1.0, pen.widthF()) + 2.0;
    QList<QLineF> segments;
    if (!strokeSegments(straightened(lines), pen, clip.adjusted(-margin, -margin, margin, margin),
                        segments)) {
        return false;
    }
    pen.setStyle(Qt::SolidLine);
    if (qFuzzyCompare(pen.widthF(), 1.0)) {
        pen.setWidth(0); // one pixel: the cosmetic pen's much faster stroke, as the plot does
    }
    painter->setPen(pen);
    if (!painter->antialiasing()) {
        for (QLineF& s : segments) {
            s = QLineF(s.toLine());
        }
    }
    painter->drawLines(segments.constData(), static_cast<int>(segments.size()));
    return true;
}

// A curve's line as segments on the screen: true when drawn (or when the pen
// draws nothing), false when the plot's own polyline is to be drawn.
bool drawnAsSegments(QCPPainter* painter, const QRectF& clip, const QList<QPointF>& lines) {
    const QPen& pen = painter->pen();
    const bool invisible = pen.style() == Qt::NoPen || pen.color().alpha() == 0;
    return invisible || drawSegments(painter, clip, lines);
}

} // namespace

bool strokeSegments(const QList<QPointF>& points, const QPen& pen, const QRectF& clip,
                    QList<QLineF>& segments, qsizetype most) {
    const bool solid = pen.style() == Qt::SolidLine;
    DashWalk dash;
    if (!solid && !dash.set(pen)) {
        return false;
    }
    const qsizetype before = segments.size();
    for (qsizetype k = 1; k < points.size(); ++k) {
        const QPointF& a = points[k - 1];
        const QPointF& b = points[k];
        if (!finite(a)) {
            if (!solid) {
                dash.restart(); // after a gap the pattern starts afresh
            }
            continue;
        }
        const QPointF d = b - a;
        const double length = std::sqrt(QPointF::dotProduct(d, d));
        if (!finite(b) || !(length > 0.0) || !std::isfinite(length)) {
            continue;
        }
        double t0 = 0.0, t1 = 0.0;
        const bool shown = clipped(a, b, clip, t0, t1);
        // Far beyond the plot a point's last bits are whole pixels: the ends
        // of the part inside are kept inside.
        const QPointF from = within(a + d * t0, clip), to = within(a + d * t1, clip);
        if (solid) {
            if (shown) {
                segments.append(QLineF(from, to));
            }
        } else if (shown) {
            dash.skip(length * t0);
            dash.dashes(from, to, segments);
            dash.skip(length * (1.0 - t1));
        } else {
            dash.skip(length);
        }
        if (segments.size() - before > most) {
            segments.resize(before);
            return false;
        }
    }
    return true;
}

void FastGraph::drawLinePlot(QCPPainter* painter, const QList<QPointF>& lines) const {
    applyDefaultAntialiasingHint(painter);
    if (!drawnAsSegments(painter, clipRect(), lines)) {
        QCPGraph::drawLinePlot(painter, lines);
    }
}

void FastStraightLine::draw(QCPPainter* painter) {
    // The part of the line within the plot, as the plot finds it.
    const QCPVector2D start(point1->pixelPosition());
    const QCPVector2D end(point2->pixelPosition());
    const int pad = qCeil(mainPen().widthF());
    const QLineF line =
        getRectClippedStraightLine(start, end - start, clipRect().adjusted(-pad, -pad, pad, pad));
    if (line.isNull()) {
        return;
    }
    painter->setPen(mainPen());
    if (!drawSegments(painter, clipRect(), {line.p1(), line.p2()})) {
        painter->drawLine(line);
    }
}

void FastOutline::draw(QCPPainter* painter) {
    if (dataCount() == 0 || !selection().isEmpty()) {
        QCPCurve::draw(painter);
        return;
    }
    QList<QPointF> lines;
    getCurveLines(&lines, QCPDataRange(0, dataCount()), mPen.widthF());
    // Each run between gaps (points no axis can show) filled and drawn on its
    // own: the plot's own drawing fills one polygon through the gaps, whose
    // undefined corners the raster engine took tens of seconds over.
    for (qsizetype from = 0; from < lines.size();) {
        if (!finite(lines[from])) {
            ++from;
            continue;
        }
        qsizetype to = from;
        while (to < lines.size() && finite(lines[to])) {
            ++to;
        }
        drawRun(painter, lines.mid(from, to - from));
        from = to;
    }
}

void FastOutline::drawRun(QCPPainter* painter, QList<QPointF> run) const {
    if (onScreen(painter)) {
        run = straightened(run);
    }
    applyFillAntialiasingHint(painter);
    if (mBrush.style() != Qt::NoBrush && mBrush.color().alpha() != 0 && run.size() > 2) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(mBrush);
        painter->drawPolygon(QPolygonF(run));
    }
    if (mLineStyle != lsNone && run.size() > 1) {
        painter->setPen(mPen);
        painter->setBrush(Qt::NoBrush);
        drawCurveLine(painter, run);
    }
}

void FastOutline::drawCurveLine(QCPPainter* painter, const QList<QPointF>& lines) const {
    applyDefaultAntialiasingHint(painter);
    if (!drawnAsSegments(painter, clipRect(), lines)) {
        QCPCurve::drawCurveLine(painter, lines);
    }
}

} // namespace tarsel
