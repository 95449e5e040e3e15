#include "ui/plots/plot_envelope.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tarsel {

namespace {

// The indices of the points within [lo, hi], with one more either side.
std::pair<qsizetype, qsizetype> within(const QList<QPointF>& points, double lo, double hi) {
    const auto before = [](const QPointF& p, double x) { return p.x() < x; };
    const auto after = [](double x, const QPointF& p) { return x < p.x(); };
    const qsizetype from =
        std::lower_bound(points.begin(), points.end(), lo, before) - points.begin();
    const qsizetype to = std::upper_bound(points.begin(), points.end(), hi, after) - points.begin();
    return {std::max<qsizetype>(0, from - 1), std::min(points.size(), to + 1)};
}

// One column's first, lowest, highest and last point, by index.
class Column {
public:
    void add(const QList<QPointF>& points, qsizetype i) {
        if (!open_) {
            first_ = low_ = high_ = i;
            open_ = true;
        }
        if (points[i].y() < points[low_].y()) {
            low_ = i;
        }
        if (points[i].y() > points[high_].y()) {
            high_ = i;
        }
        last_ = i;
    }
    // Its points into out, in their order, each once; the column is then empty.
    void close(const QList<QPointF>& points, QList<QPointF>& out) {
        if (!open_) {
            return;
        }
        std::array<qsizetype, 4> at = {first_, low_, high_, last_};
        std::sort(at.begin(), at.end());
        for (std::size_t k = 0; k < at.size(); ++k) {
            if (k == 0 || at[k] != at[k - 1]) {
                out.append(points[at[k]]);
            }
        }
        open_ = false;
    }

private:
    bool open_ = false;
    qsizetype first_ = 0, low_ = 0, high_ = 0, last_ = 0;
};

} // namespace

qsizetype pointsWithin(const QList<QPointF>& points, double lo, double hi) {
    const auto [from, to] = within(points, lo, hi);
    return to - from;
}

QList<QPointF> curveEnvelope(const QList<QPointF>& points, double lo, double hi, bool log,
                             int columns) {
    const auto [from, to] = within(points, lo, hi);
    if (to - from <= 4 * static_cast<qsizetype>(columns) || !(lo < hi) || (log && !(lo > 0.0)) ||
        !std::isfinite(hi - lo)) {
        return points.mid(from, to - from);
    }
    // The right-hand edge of column c (of 0..columns-1); the last one takes
    // everything beyond, the first everything before.
    const double ratio = log ? std::log10(hi / lo) : 0.0;
    const auto edge = [&](int c) {
        if (c + 1 >= columns) {
            return std::numeric_limits<double>::infinity();
        }
        const double f = static_cast<double>(c + 1) / columns;
        return log ? lo * std::pow(10.0, ratio * f) : lo + (hi - lo) * f;
    };
    QList<QPointF> out;
    out.reserve(4 * static_cast<qsizetype>(columns) + 8);
    Column column;
    int c = 0;
    double right = edge(c);
    for (qsizetype i = from; i < to; ++i) {
        const QPointF& p = points[i];
        if (!std::isfinite(p.y()) || (log && !(p.x() > 0.0))) {
            column.close(points, out);
            out.append(p); // a break in the line
            continue;
        }
        if (c + 1 < columns && p.x() >= right) {
            column.close(points, out);
            while (c + 1 < columns && p.x() >= right) {
                right = edge(++c);
            }
        }
        column.add(points, i);
    }
    column.close(points, out);
    return out;
}

} // namespace tarsel
