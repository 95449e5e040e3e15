#pragma once
// The axes of a plot: ranges a plot can draw (finite ends, finite span,
// within what the plotting library holds), the data's extent with a small
// margin, round ticks (1, 2, 5 times a power of ten) at any zoom with their
// count capped, log axes labelled at each decade, and SI prefixes chosen
// from the span ("Distance [km]", "1 GHz").

#include <qcustomplot.h>

#include <QString>
#include <cmath>

namespace tarsel {

// The largest magnitude of an axis end (QCustomPlot refuses ranges beyond
// 1e250), the smallest end of a log axis, and the narrowest span relative to
// the ends' magnitude (below, neighbouring ticks are the same double).
inline constexpr double AxisLimit = 1e248;
inline constexpr double LogAxisFloor = 1e-240;
inline constexpr double MinRelativeSpan = 1e-12;
// At most this many ticks and labels on one axis, however it is zoomed.
inline constexpr int MaxAxisTicks = 40;

// True for a value an axis can show: finite, within the limits, and on a
// log axis at least its floor.
inline bool showable(double v, bool log) {
    return std::isfinite(v) && std::fabs(v) <= AxisLimit && (!log || v >= LogAxisFloor);
}

// True for a range an axis can show: finite ends within the limits, the
// lower below the upper by a resolvable span (a log axis: above zero).
bool drawableRange(const QCPRange& range, bool log);

// The nearest drawable range: ends clamped to the limits, NaN replaced, too
// narrow a span widened about its middle.
QCPRange drawable(QCPRange range, bool log);

// The data's extent [lo, hi] with a small margin; a point or no data at all
// gets a span of its own.
QCPRange paddedRange(double lo, double hi, bool log);

// The round step (1, 2 or 5 times a power of ten) nearest above step.
double roundStep(double step);
// The round step nearest to step (by ratio), above or below; below only while
// it makes at most 1.3 times the ticks step would.
double nearestRoundStep(double step);

// An SI prefix for a unit at a magnitude: {1e3, "k"} for 9000 m.
struct UnitPrefix {
    double factor = 1.0;
    QString prefix;
};
UnitPrefix unitPrefix(const QString& unit, double magnitude);

// A tick's label: value / factor in fixed notation with the decimals that the
// step needs ("-41.3", "4.25"), never "-0", "inf" or "nan".
QString tickLabel(double value, double step, double factor = 1.0);

// Ticks, minor ticks and labels of one axis. Linear: round steps, about
// tickCount() of them, labels in the unit's prefix for the visible range.
// Log: each decade labelled (every few decades when there are many, 1-2-5
// within one decade), minor ticks between; labels carry their own prefix and
// unit ("100 MHz", "1 GHz").
class PlotTicker : public QCPAxisTicker {
public:
    PlotTicker(QString unit, bool log) : unit_(std::move(unit)), log_(log) {}

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks,
                  QVector<QString>* tickLabels) override;

    // Whether labels carry the unit themselves (a log axis of an SI unit).
    bool labelsCarryUnit() const;

private:
    void linearTicks(const QCPRange& range, QVector<double>& ticks, QVector<double>* subTicks,
                     QVector<QString>* labels) const;
    void logTicks(const QCPRange& range, QVector<double>& ticks, QVector<double>* subTicks,
                  QVector<QString>* labels) const;

    QString unit_;
    bool log_;
};

} // namespace tarsel
