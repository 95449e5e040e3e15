#include "ui/plots/sweep_plot.h"

#include "engine/param_table.h"
#include "engine/result_fields.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

constexpr std::int64_t DrawnBuckets = 2000; // more points than this are drawn as an envelope

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QString resultChoiceText(const ResultField& field) {
    return field.unit.empty() ? text(field.label)
                              : text(field.label) + " [" + text(field.unit) + "]";
}

QString inputChoiceText(int field) {
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
    return text(info.label);
}

PlotData sweepPlot(const LinkParams& params, const PlotSettings& settings, SweepControl& control) {
    PlotData data;
    data.plan = SweepPlan{settings.sweepKey, settings.sweepFrom, settings.sweepTo,
                          settings.sweepPoints, settings.sweepLog};
    PlotFigure& f = data.figure;
    f.title = QStringLiteral("Sweep");
    const SweepCheck check = checkSweepFrom(params, data.plan);
    if (!check) {
        f.note = QString::fromStdString(check.message);
        data.plan = {};
        return data;
    }
    const int input = sweepField(data.plan);
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

    // "Save data" writes tarsel-report --sweep --columns <the chosen results>.
    data.params = params;
    for (const ResultField* field : chosen) {
        if (!data.columns.empty()) {
            data.columns += ',';
        }
        data.columns += field->name;
    }

    // Every point, or the lowest and highest of each bucket when there are
    // more points than the plot has room for.
    const std::int64_t n = data.plan.points;
    const std::int64_t perBucket = std::max<std::int64_t>(1, n / DrawnBuckets);
    std::vector<QPointF> low(chosen.size()), high(chosen.size());
    SweepOptions options;
    options.control = &control;
    const SweepOutcome outcome = runSweep(
        params, data.plan,
        [&](const SweepPoint& point) {
            const bool first = point.index % perBucket == 0;
            const bool last = (point.index + 1) % perBucket == 0 || point.index + 1 == n;
            for (std::size_t i = 0; i < chosen.size(); ++i) {
                const QPointF p(point.value, chosen[i]->value(point.params, point.results));
                if (perBucket == 1) {
                    f.curves[i].points.append(p);
                    continue;
                }
                if (first || p.y() < low[i].y()) {
                    low[i] = p;
                }
                if (first || p.y() > high[i].y()) {
                    high[i] = p;
                }
                if (last) {
                    f.curves[i].points.append(low[i].x() <= high[i].x() ? low[i] : high[i]);
                    f.curves[i].points.append(low[i].x() <= high[i].x() ? high[i] : low[i]);
                }
            }
            return true;
        },
        options);
    data.cancelled = outcome.end == SweepEnd::Cancelled || outcome.end == SweepEnd::Stopped;
    if (outcome.end == SweepEnd::Invalid) {
        f.note = QString::fromStdString(outcome.message);
    }
    return data;
}

} // namespace tarsel
