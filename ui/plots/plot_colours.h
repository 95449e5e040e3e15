#pragma once
// The colours of a plot in a palette: the Okabe-Ito curve colours, the grid
// and the background, each kept readable against the background (a contrast
// of at least 3:1, the WCAG rule for lines and other non-text).

#include "ui/plots/plot_figure.h"

#include <QColor>
#include <QPalette>

namespace tarsel {

inline constexpr double MinPlotContrast = 3.0;

// The WCAG contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// colour moved towards black or white, whichever the background is not,
// just far enough to reach the contrast against background.
QColor readableOn(const QColor& colour, const QColor& background,
                  double contrast = MinPlotContrast);

// The plot's background: the palette's base colour.
QColor plotBackground(const QPalette& palette);

// The colour of a plot colour in a palette (Foreground: the text colour),
// readable on the plot's background.
QColor plotColour(PlotColour colour, const QPalette& palette);

// The grid lines: major at every labelled tick, minor between.
QColor gridColour(const QPalette& palette, bool major);

// A palette with a light background and dark text, for pages to print.
QPalette lightPlotPalette();

// The dark palette the program takes with TARSEL_DARK=1 in its environment
// (to look at the plots as a dark desktop shows them).
QPalette darkPlotPalette();

} // namespace tarsel
