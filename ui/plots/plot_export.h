#pragma once
// What the plot window writes: the plotted curves as CSV, the picture as PNG
// or SVG, and files replaced whole (a failed write leaves no partial file).

#include "ui/common/write_file.h"
#include "ui/plots/plot_figure.h"

#include <QString>

class QWidget;

namespace tarsel {

// The curves as CSV. Curves on the first curve's x values share one x column
// ("Distance [m],No diffraction [dB],..."); otherwise one row per point:
// "Curve,<x label>,<y label>".
QString figureCsv(const PlotFigure& figure);

// A number in CSV: shortest round-trip form, "inf", "-inf", "nan".
QString csvNumber(double value);

// The widget drawn to path: SVG when the name ends in ".svg", else PNG.
// "" on success, otherwise the reason.
QString saveWidgetImage(QWidget* widget, const QString& path);

} // namespace tarsel
