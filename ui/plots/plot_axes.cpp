#include "ui/plots/plot_axes.h"

#include "entry/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tarsel {

namespace {

constexpr double MostTicksOver = 1.3; // ticks at most this many times the count asked for

constexpr double Margin = 0.03;    // free space around the data, of its span
constexpr int MaxLogLabels = 12;   // more decades than this: every few labelled
constexpr int MaxFixedDigits = 15; // beyond, a label is written with an exponent

double magnitudeOf(const QCPRange& r) {
    return std::max(std::fabs(r.lower), std::fabs(r.upper));
}

// The prefixes a unit takes, as powers of ten.
std::vector<int> prefixesOf(const QString& unit) {
    if (unit == QLatin1String("Hz")) {
        return {0, 3, 6, 9, 12};
    }
    if (unit == QLatin1String("m")) {
        return {0, 3};
    }
    if (unit == QLatin1String("W")) {
        return {-12, -9, -6, -3, 0, 3, 6};
    }
    return {0};
}

QString prefixName(int power) {
    switch (power) {
    case -12:
        return QStringLiteral("p");
    case -9:
        return QStringLiteral("n");
    case -6:
        return QStringLiteral("\u00B5");
    case -3:
        return QStringLiteral("m");
    case 3:
        return QStringLiteral("k");
    case 6:
        return QStringLiteral("M");
    case 9:
        return QStringLiteral("G");
    case 12:
        return QStringLiteral("T");
    default:
        return {};
    }
}

} // namespace

bool drawableRange(const QCPRange& r, bool log) {
    if (!std::isfinite(r.lower) || !std::isfinite(r.upper) || !(r.lower < r.upper) ||
        !QCPRange::validRange(r)) {
        return false;
    }
    if (log) {
        return r.lower >= LogAxisFloor && r.upper <= AxisLimit &&
               r.upper / r.lower >= 1.0 + MinRelativeSpan;
    }
    return r.lower >= -AxisLimit && r.upper <= AxisLimit &&
           r.upper - r.lower >= magnitudeOf(r) * MinRelativeSpan &&
           r.upper - r.lower >= std::numeric_limits<double>::min() * 1e10;
}

QCPRange drawable(QCPRange r, bool log) {
    const double floor = log ? LogAxisFloor : -AxisLimit;
    double lo = std::isnan(r.lower) ? floor : std::clamp(r.lower, floor, AxisLimit);
    double hi = std::isnan(r.upper) ? AxisLimit : std::clamp(r.upper, floor, AxisLimit);
    if (hi < lo) {
        std::swap(lo, hi);
    }
    if (log) {
        if (!std::isfinite(hi / lo)) {
            lo = hi * 1e-300; // the plotting library takes no wider ratio
        }
        if (!(hi >= lo * (1.0 + 1e-6))) {
            const double mid = std::sqrt(lo) * std::sqrt(hi);
            lo = std::max(LogAxisFloor, mid / 2);
            hi = std::min(AxisLimit, lo * 4);
            lo = hi / 4;
        }
        return QCPRange(lo, hi);
    }
    const double least = std::max(std::max(std::fabs(lo), std::fabs(hi)) * 1e-9, 1e-200);
    if (!(hi - lo >= least)) {
        const double mid = lo / 2 + hi / 2;
        const double half = std::max(std::fabs(mid) * 1e-6, 1e-200);
        lo = std::max(-AxisLimit, mid - half);
        hi = std::min(AxisLimit, mid + half);
    }
    // Nor a ratio of the ends beyond the doubles (1e-300 to 1e248).
    if (lo > 0 && !std::isfinite(hi / lo)) {
        lo = 0.0;
    } else if (hi < 0 && !std::isfinite(lo / hi)) {
        hi = 0.0;
    }
    return QCPRange(lo, hi);
}

QCPRange paddedRange(double lo, double hi, bool log) {
    if (!(lo <= hi)) {
        return log ? QCPRange(1.0, 10.0) : QCPRange(0.0, 1.0);
    }
    if (log) {
        const double ratio = hi > lo ? std::pow(hi / lo, Margin) : 2.0;
        return drawable(QCPRange(lo / ratio, hi * ratio), true);
    }
    // Halved before subtracting: the span of data near the ends of the
    // doubles overflows otherwise.
    const double half = hi / 2 - lo / 2;
    const double pad = half > 0 ? 2 * half * Margin : std::max(1.0, std::fabs(lo) * 0.1);
    return drawable(QCPRange(lo - pad, hi + pad), false);
}

double roundStep(double step) {
    if (!(step > 0.0) || !std::isfinite(step)) {
        return 1.0;
    }
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= step * (1 - 1e-12)) {
            return m * decade;
        }
    }
    return 10.0 * decade;
}

double nearestRoundStep(double step) {
    const double above = roundStep(step);
    if (!(step > 0.0) || !std::isfinite(step)) {
        return above;
    }
    // The round step below: 1 -> 0.5, 2 -> 1, 5 -> 2 times the decade.
    const double mantissa = above / std::pow(10.0, std::floor(std::log10(above) + 1e-9));
    const double below = above * (mantissa > 3.0 ? 0.4 : 0.5);
    // The one below only while it gives at most MostTicksOver times the
    // ticks asked for: a crowded axis reads worse than a sparse one.
    return above / step <= step / below || step / below > MostTicksOver ? above : below;
}

UnitPrefix unitPrefix(const QString& unit, double magnitude) {
    UnitPrefix chosen;
    if (!(magnitude > 0.0) || !std::isfinite(magnitude)) {
        return chosen;
    }
    const std::vector<int> powers = prefixesOf(unit);
    int power = powers.front();
    for (const int p : powers) {
        if (magnitude >= std::pow(10.0, p) * (1 - 1e-9)) {
            power = p;
        }
    }
    chosen.factor = std::pow(10.0, power);
    chosen.prefix = prefixName(power);
    return chosen;
}

QString tickLabel(double value, double step, double factor) {
    if (!std::isfinite(value)) {
        return {};
    }
    const double scaled = value / factor;
    const double scaledStep = step / factor;
    const int decimals =
        scaledStep > 0 && std::isfinite(scaledStep)
            ? std::max(0, static_cast<int>(-std::floor(std::log10(scaledStep) + 1e-9)))
            : 0;
    if (std::fabs(scaled) >= std::pow(10.0, MaxFixedDigits) || decimals > MaxFixedDigits ||
        !std::isfinite(scaled)) {
        return QString::fromStdString(formatG(scaled, 0, 6));
    }
    QString text = QString::number(scaled, 'f', decimals);
    // A tick at zero reached from below reads "-0", "-0.00".
    if (text.startsWith(QLatin1Char('-')) &&
        text.indexOf(QRegularExpression(QStringLiteral("[1-9]"))) < 0) {
        text.remove(0, 1);
    }
    return text;
}

bool PlotTicker::labelsCarryUnit() const {
    return log_ && prefixesOf(unit_).size() > 1;
}

void PlotTicker::generate(const QCPRange& range, const QLocale&, QChar, int, QVector<double>& ticks,
                          QVector<double>* subTicks, QVector<QString>* tickLabels) {
    ticks.clear();
    if (subTicks != nullptr) {
        subTicks->clear();
    }
    if (tickLabels != nullptr) {
        tickLabels->clear();
    }
    if (!drawableRange(range, log_)) {
        return;
    }
    if (log_) {
        logTicks(range, ticks, subTicks, tickLabels);
    } else {
        linearTicks(range, ticks, subTicks, tickLabels);
    }
}

void PlotTicker::linearTicks(const QCPRange& range, QVector<double>& ticks,
                             QVector<double>* subTicks, QVector<QString>* labels) const {
    // Halved before subtracting, so that a span across the doubles' ends is finite.
    const double span = 2 * (range.upper / 2 - range.lower / 2);
    // As near the count asked for as round steps go (rounding up alone gave
    // as few as two fifths of it).
    double step = nearestRoundStep(span / std::max(2, tickCount()));
    step = std::max(step, roundStep(magnitudeOf(range) * 1e-15));
    double first = std::ceil(range.lower / step);
    double last = std::floor(range.upper / step);
    while (last - first + 1 > MaxAxisTicks) {
        step = roundStep(step * 1.5);
        first = std::ceil(range.lower / step);
        last = std::floor(range.upper / step);
    }
    // Counted in integers: far from zero, adding one to a large k may not move it.
    const int count = std::max(0, static_cast<int>(last - first + 1));
    for (int i = 0; i < count; ++i) {
        ticks.append((first + i) * step + 0.0);
    }
    if (subTicks != nullptr && count > 0) {
        // Minor ticks: fifths of a step of 1 or 5, halves of a step of 2.
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
        const int parts = std::lround(mantissa) == 2 ? 2 : 5;
        const double minor = step / parts;
        for (int k = -1; k < count; ++k) {
            for (int i = 1; i < parts; ++i) {
                const double t = (first + k) * step + i * minor;
                if (t > range.lower && t < range.upper) {
                    subTicks->append(t);
                }
            }
        }
    }
    if (labels != nullptr) {
        const UnitPrefix prefix = unitPrefix(unit_, magnitudeOf(range));
        for (const double t : ticks) {
            labels->append(tickLabel(t, step, prefix.factor));
        }
    }
}

void PlotTicker::logTicks(const QCPRange& range, QVector<double>& ticks, QVector<double>* subTicks,
                          QVector<QString>* labels) const {
    const double d0 = std::ceil(std::log10(range.lower) - 1e-9);
    const double d1 = std::floor(std::log10(range.upper) + 1e-9);
    const double decades = d1 - d0 + 1;
    std::vector<double> mantissas{1.0};
    if (std::log10(range.upper / range.lower) < 1.5) {
        mantissas = {1.0, 2.0, 5.0}; // within about one decade: 1-2-5
    }
    const double every = std::max(1.0, std::ceil(decades / MaxLogLabels));
    for (double d = std::floor(d0 / every) * every - every; d <= d1; d += every) {
        for (const double m : mantissas) {
            const double t = m * std::pow(10.0, d);
            if (t >= range.lower * (1 - 1e-12) && t <= range.upper * (1 + 1e-12)) {
                ticks.append(t);
            }
        }
    }
    if (ticks.size() < 2) {
        // Less than one 1-2-5 step in view: round linear ticks.
        ticks.clear();
        linearTicks(range, ticks, subTicks, labels);
        return;
    }
    if (subTicks != nullptr && every == 1.0 && decades <= 8) {
        for (double d = d0 - 1; d <= d1; d += 1.0) {
            for (int m = 2; m <= 9; ++m) {
                const double t = m * std::pow(10.0, d);
                if (t > range.lower && t < range.upper) {
                    subTicks->append(t);
                }
            }
        }
    }
    if (labels != nullptr) {
        const bool withUnit = labelsCarryUnit();
        for (const double t : ticks) {
            const UnitPrefix prefix = withUnit ? unitPrefix(unit_, t) : UnitPrefix{};
            QString text = tickLabel(t, t / 10, prefix.factor);
            // 1-2-5 ticks need no decimals beyond their own digit.
            if (text.contains(QLatin1Char('.'))) {
                while (text.endsWith(QLatin1Char('0'))) {
                    text.chop(1);
                }
                if (text.endsWith(QLatin1Char('.'))) {
                    text.chop(1);
                }
            }
            labels->append(withUnit ? text + QLatin1Char(' ') + prefix.prefix + unit_ : text);
        }
    }
}

} // namespace tarsel
