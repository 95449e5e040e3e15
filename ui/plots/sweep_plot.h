#pragma once
// The Sweep plot: any input across a range on the horizontal axis, one or
// more results against it.

#include "engine/result_fields.h"
#include "ui/plots/plot_data.h"
#include "ui/plots/plot_settings.h"

#include <QString>
#include <QStringList>

namespace tarsel {

// "Margin at nominal range, no diffraction [dB]": a result as its list shows it.
QString resultChoiceText(const ResultField& field);
// "Carrier frequency [Hz]": an input as its list shows it.
QString inputChoiceText(int field);

// The unit a result is drawn in: a power in W as dBm, others their own.
QString shownUnit(const ResultField& field);
// A result's value in that unit.
double shownValue(const ResultField& field, const LinkParams& params, const LinkResults& results);
// Why results of a third unit are not drawn: each axis takes one unit.
QString twoUnitsNote(const QString& names, const QStringList& units);

// Runs the sweep of the settings' input and draws the chosen results. A sweep
// that does not pass its check gives no curve and the reason as the note.
PlotData sweepPlot(const LinkParams& params, const PlotSettings& settings, SweepControl& control);

} // namespace tarsel
