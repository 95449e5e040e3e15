#include "ui/plots/sweep_plot.h"

#include "engine/param_table.h"
#include "engine/result_fields.h"
#include "ui/plots/plot_envelope.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

// The most points kept for all curves together; beyond, each curve keeps
// the lowest and highest of each of its share of buckets.
constexpr std::int64_t KeptPoints = 2000000;

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QString resultChoiceText(const ResultField& field) {
    return field.unit.empty() ? text(field.label)
                              : text(field.label) + " [" + text(field.unit) + "]";
}

QString shownUnit(const ResultField& field) {
    return field.unit == "W" ? QStringLiteral("dBm") : text(field.unit);
}

double shownValue(const ResultField& field, const LinkParams& params, const LinkResults& results) {
    const double value = field.value(params, results);
    return field.unit == "W" ? 10.0 * std::log10(value) + 30.0 : value;
}

QString twoUnitsNote(const QString& names, const QStringList& units) {
    return QStringLiteral("%1 cannot be added: the plot has two units already (%2); uncheck "
                          "the results of one of them first.")
        .arg(names, units.join(QStringLiteral(" and ")));
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
    // A log sweep over negative values: its magnitudes on the log axis, the
    // sign in the axis title.
    const bool negated = settings.sweepLog && settings.sweepFrom < 0.0;
    const double sign = negated ? -1.0 : 1.0;
    f.x = {(negated ? QStringLiteral("\u2212") : QString()) + label.left(label.indexOf(" [")),
           text(info.unit), settings.sweepLog};

    // The chosen results with a unit of the two the axes take, each keeping
    // its colour by its place among the choices.
    struct Chosen {
        const ResultField* field;
        PlotColour colour;
        bool right;
    };
    std::vector<Chosen> chosen;
    QStringList units, refused;
    for (std::size_t i = 0; i < settings.sweepResults.size(); ++i) {
        const ResultField* field = findResultField(settings.sweepResults[i]);
        if (field == nullptr) {
            continue;
        }
        const QString unit = shownUnit(*field);
        if (!units.contains(unit)) {
            if (units.size() == 2) {
                refused << resultChoiceText(*field);
                continue;
            }
            units << unit;
        }
        chosen.push_back({field, static_cast<PlotColour>(1 + i % 7), unit != units.front()});
    }
    if (chosen.empty()) {
        f.note = QStringLiteral("Choose one or more results.");
        return data;
    }
    if (!refused.isEmpty()) {
        f.note = twoUnitsNote(refused.join(QStringLiteral(", ")), units);
    }
    // Each axis is titled by its one result, or by its unit's results together.
    const auto axisOf = [&](bool right) {
        QStringList names;
        for (const Chosen& c : chosen) {
            if (c.right == right) {
                names << text(c.field->label);
            }
        }
        const QString joined = names.join(QStringLiteral(", "));
        return PlotAxis{joined.size() <= 48 ? joined : QStringLiteral("Results"),
                        units.value(right ? 1 : 0), false};
    };
    f.y = axisOf(false);
    if (units.size() == 2) {
        f.y2 = axisOf(true);
    }
    f.title = chosen.size() == 1 ? QStringLiteral("%1 against %2").arg(f.y.title, f.x.title)
                                 : QStringLiteral("Results against %1").arg(f.x.title);
    for (const Chosen& c : chosen) {
        PlotCurve curve;
        curve.name = text(c.field->label);
        curve.colour = c.colour;
        curve.right = c.right;
        f.curves.push_back(curve);
    }

    // "Save data" writes tarsel-report --sweep --columns <the chosen results>.
    data.params = params;
    for (const Chosen& c : chosen) {
        if (!data.columns.empty()) {
            data.columns += ',';
        }
        data.columns += c.field->name;
    }

    // Every point, or the lowest and highest of each bucket when there are
    // more points than the curves keep.
    const std::int64_t n = data.plan.points;
    const std::int64_t buckets =
        std::max<std::int64_t>(1, KeptPoints / static_cast<std::int64_t>(2 * chosen.size()));
    const std::int64_t perBucket = std::max<std::int64_t>(1, (n + buckets - 1) / buckets);
    std::vector<QPointF> low(chosen.size()), high(chosen.size());
    for (PlotCurve& curve : f.curves) {
        curve.points.reserve(static_cast<qsizetype>(std::min(n, 2 * buckets)));
    }
    SweepOptions options;
    options.control = &control;
    const SweepOutcome outcome = runSweep(
        params, data.plan,
        [&](const SweepPoint& point) {
            const bool first = point.index % perBucket == 0;
            const bool last = (point.index + 1) % perBucket == 0 || point.index + 1 == n;
            for (std::size_t i = 0; i < chosen.size(); ++i) {
                const QPointF p(sign * point.value,
                                shownValue(*chosen[i].field, point.params, point.results));
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
    // Drawn from left to right (a sweep downwards, magnitudes of negative values).
    for (PlotCurve& curve : f.curves) {
        if (curve.points.size() > 1 && curve.points.front().x() > curve.points.back().x()) {
            std::reverse(curve.points.begin(), curve.points.end());
        }
        // A long curve is drawn through its envelope over the whole sweep;
        // its points stay for the read-out and for a zoom into them.
        if (curve.points.size() > EnvelopeFrom) {
            curve.detail = std::move(curve.points);
            curve.points = curveEnvelope(curve.detail, curve.detail.front().x(),
                                         curve.detail.back().x(), settings.sweepLog);
        }
    }
    return data;
}

} // namespace tarsel
