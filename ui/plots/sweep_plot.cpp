#include "ui/plots/sweep_plot.h"

#include "engine/param_table.h"
#include "engine/recalculate.h"
#include "engine/result_fields.h"
#include "entry/number_format.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

constexpr int MaxSweepPoints = 1000000;
constexpr std::size_t DrawnBuckets = 2000; // more points are drawn as an envelope

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QString sweepProblem(const PlotSettings& s) {
    const int input = fieldOfKey(s.sweepKey);
    if (input < 0) {
        return QStringLiteral("Unknown input \"%1\".").arg(QString::fromStdString(s.sweepKey));
    }
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(input)];
    for (const double value : {s.sweepFrom, s.sweepTo}) {
        if (!(value >= info.lo && value <= info.hi)) {
            return QStringLiteral("Number %1 out of range:[%2,%3]")
                .arg(QString::fromStdString(formatPlain(value)),
                     QString::fromStdString(formatPlain(info.lo)),
                     QString::fromStdString(formatPlain(info.hi)));
        }
    }
    if (s.sweepPoints < 2 || s.sweepPoints > MaxSweepPoints) {
        return QStringLiteral("Points must be 2 to %1.").arg(MaxSweepPoints);
    }
    if (s.sweepLog && !(s.sweepFrom * s.sweepTo > 0.0)) {
        return QStringLiteral("Logarithmic spacing needs from and to of one sign, not zero.");
    }
    return {};
}

QString resultChoiceText(const ResultField& field) {
    return field.unit.empty() ? text(field.label)
                              : text(field.label) + " [" + text(field.unit) + "]";
}

QString inputChoiceText(int field) {
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
    return text(info.label);
}

PlotData sweepPlot(const LinkParams& params, const PlotSettings& settings,
                   const std::atomic<bool>& cancel) {
    PlotData data;
    PlotFigure& f = data.figure;
    f.title = QStringLiteral("Sweep");
    const QString problem = sweepProblem(settings);
    if (!problem.isEmpty()) {
        f.note = problem;
        return data;
    }
    const int input = fieldOfKey(settings.sweepKey);
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(input)];
    const QString label = text(info.label);
    f.x = {label.left(label.indexOf(" [")), text(info.unit), settings.sweepLog};

    std::vector<const ResultField*> chosen;
    for (const std::string& name : settings.sweepResults) {
        if (const ResultField* field = findResultField(name)) {
            chosen.push_back(field);
        }
    }
    if (chosen.empty()) {
        f.note = QStringLiteral("Choose one or more results.");
        return data;
    }
    // One unit for all: the axis shows it; otherwise each curve names its own.
    const bool oneUnit = std::all_of(chosen.begin(), chosen.end(), [&](const ResultField* r) {
        return r->unit == chosen.front()->unit;
    });
    f.y = {chosen.size() == 1 ? text(chosen.front()->label) : QStringLiteral("Results"),
           oneUnit ? text(chosen.front()->unit) : QString(), false};
    f.title = QStringLiteral("%1 against %2").arg(f.y.title, f.x.title);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        PlotCurve curve;
        curve.name = oneUnit ? text(chosen[i]->label) : resultChoiceText(*chosen[i]);
        curve.colour = static_cast<PlotColour>(1 + i % 7);
        f.curves.push_back(curve);
    }

    // Every point, or the lowest and highest of each bucket when there are
    // more points than the plot has room for. Nothing else is kept.
    const std::vector<double> values =
        spacedValues(settings.sweepFrom, settings.sweepTo, settings.sweepPoints, settings.sweepLog);
    const std::size_t n = values.size();
    const std::size_t perBucket = std::max<std::size_t>(1, n / DrawnBuckets);
    std::vector<QPointF> low(chosen.size());
    std::vector<QPointF> high(chosen.size());
    for (std::size_t k = 0; k < n; ++k) {
        if (cancel.load(std::memory_order_relaxed)) {
            data.cancelled = true;
            return data;
        }
        const LinkParams p = sweptParams(params, input, values[k]);
        const LinkResults r = recalculate(p);
        const bool first = k % perBucket == 0;
        const bool last = (k + 1) % perBucket == 0 || k + 1 == n;
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            const QPointF point(values[k], chosen[i]->value(p, r));
            if (perBucket == 1) {
                f.curves[i].points.append(point);
                continue;
            }
            if (first || point.y() < low[i].y()) {
                low[i] = point;
            }
            if (first || point.y() > high[i].y()) {
                high[i] = point;
            }
            if (last) {
                const bool lowFirst = low[i].x() <= high[i].x();
                f.curves[i].points.append(lowFirst ? low[i] : high[i]);
                f.curves[i].points.append(lowFirst ? high[i] : low[i]);
            }
        }
    }
    return data;
}

} // namespace tarsel
