#pragma once
// What the plot window writes: the plotted curves as CSV, the picture as PNG,
// SVG or PDF, and files replaced whole (a failed write leaves no partial file);
// and what it prints.

#include "ui/common/write_file.h"
#include "ui/plots/plot_figure.h"
#include "ui/plots/plot_view.h"

#include <QRectF>
#include <QString>

class QCPPainter;
class QPrinter;

namespace tarsel {

// The curves as CSV. Curves on the first curve's x values share one x column
// ("Distance [m],No diffraction [dB],..."); otherwise one row per point:
// "Curve,<x label>,<y label>".
QString figureCsv(const PlotFigure& figure);

// A number in CSV: shortest round-trip form, "inf", "-inf", "nan".
QString csvNumber(double value);

// The picture formats a plot is saved in, as the save dialog offers them.
enum class ImageFormat { Png, Svg, Pdf };
// The format of path by its suffix, else that of the chosen filter
// ("SVG image (*.svg)", "PDF document (*.pdf)"), else PNG.
ImageFormat imageFormatOf(const QString& path, const QString& filter);

// The plot as SVG: vector, its curves and markers clipped to the plot area.
QByteArray plotSvg(PlotView& view);

// The plot as a one-page PDF of the view's shape, drawn on paper (white,
// black text, vectors) at the view's zoom, fonts about 9 pt.
QByteArray plotPdf(const PlotView& view);

// The plot drawn to path in format. "" on success, otherwise the reason.
QString savePlotImage(PlotView& view, const QString& path, ImageFormat format);

// Plots on paper (the PDF report, printing) are drawn by a view of their own:
// white with black text, fonts in pixels of a layout 1000 pixels wide, so
// that they grow with the plot when it is scaled to the page.
void preparePaperView(PlotView& paper);

// figure laid out on paper at rect's shape, then drawn into rect as vectors,
// its note (the path profile's verdict) under it. With zoomed, a view showing
// the same figure: at its ranges when it is zoomed in, without the curves it hides. Returns where
// the plot went (rect less the note).
QRectF drawPaperPlot(QCPPainter& painter, PlotView& paper, const PlotFigure& figure, QRectF rect,
                     const PlotView* zoomed = nullptr);

// The plot shown by view, zoom included, on one page of printer, as large as
// the page holds it. False when the printer cannot be opened (a file that
// cannot be written).
bool printPlot(QPrinter& printer, const PlotView& view);

} // namespace tarsel
