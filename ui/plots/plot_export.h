#pragma once
// What the plot window writes: the plotted curves as CSV, the picture as PNG
// or SVG, and files replaced whole (a failed write leaves no partial file).

#include "ui/common/write_file.h"
#include "ui/plots/plot_figure.h"
#include "ui/plots/plot_view.h"

#include <QString>

namespace tarsel {

// The curves as CSV. Curves on the first curve's x values share one x column
// ("Distance [m],No diffraction [dB],..."); otherwise one row per point:
// "Curve,<x label>,<y label>".
QString figureCsv(const PlotFigure& figure);

// A number in CSV: shortest round-trip form, "inf", "-inf", "nan".
QString csvNumber(double value);

// The picture formats a plot is saved in, as the save dialog offers them.
enum class ImageFormat { Png, Svg };
// The format of path by its suffix, else that of the chosen filter
// ("SVG image (*.svg)"), else PNG.
ImageFormat imageFormatOf(const QString& path, const QString& filter);

// The plot as SVG: vector, its curves and markers clipped to the plot area.
QByteArray plotSvg(PlotView& view);

// The plot drawn to path in format. "" on success, otherwise the reason.
QString savePlotImage(PlotView& view, const QString& path, ImageFormat format);

} // namespace tarsel
