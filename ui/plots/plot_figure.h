#pragma once
// What one plot shows, independent of how it is drawn: curves of (x, y)
// points, marker lines, the two axes with their units, and a line of text.

#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

namespace tarsel {

// The Okabe-Ito colours, safe for the common forms of colour blindness.
// Foreground stands for black and follows the palette's text colour, so that
// it stays readable on a dark background.
enum class PlotColour {
    Foreground,
    Orange,
    SkyBlue,
    BluishGreen,
    Yellow,
    Blue,
    Vermillion,
    Purple,
    Ground // earth brown, for the hill and terrain
};

struct PlotCurve {
    QString name;
    QList<QPointF> points;
    PlotColour colour = PlotColour::Foreground;
    bool strong = false; // drawn wider than the others
    bool dashed = false;
    bool shared = true;  // x values shared with the first curve (one column of the data)
    bool right = false;  // against the right-hand axis (the figure's y2)
    bool filled = false; // a closed outline filled like ground (the hill, a terrain)
    // A long curve's points in full, sorted by x, when `points` holds only
    // their envelope for drawing; empty otherwise.
    QList<QPointF> detail{};
};

// A straight line across the plot at x (vertical) or at y (horizontal).
struct PlotMarker {
    QString name;
    double at = 0.0;
    bool vertical = true;
    PlotColour colour = PlotColour::Foreground;
};

struct PlotAxis {
    QString title; // without the unit
    QString unit;  // empty for none
    bool log = false;
    // The title as shown: "Distance [m]".
    QString label() const { return unit.isEmpty() ? title : title + " [" + unit + "]"; }
};

// The second edge of a pair (a zone's lower edge) is named after the first
// with ", lower" and shares its legend entry: the name of the entry a curve
// is drawn under, and whether it has one of its own.
inline QString legendNameOf(const QString& curveName) {
    const QLatin1String lower(", lower");
    return curveName.endsWith(lower) ? curveName.chopped(lower.size()) : curveName;
}
inline bool hasOwnLegendEntry(const QString& curveName) {
    return legendNameOf(curveName).size() == curveName.size();
}

struct PlotFigure {
    QString title;
    PlotAxis x;
    PlotAxis y;
    PlotAxis y2; // the right-hand axis, for curves of a second unit; no title: none
    std::vector<PlotCurve> curves;
    std::vector<PlotMarker> markers;
    QString note; // shown under the plot (the path profile's verdict)
    // Vertical exaggeration: one metre up is drawn as this many metres along.
    // 0 lets both axes scale freely.
    double exaggeration = 0.0;
    // A drawing of a path: a margin beyond its ends, so that the antennas
    // stand clear of the axes (a swept axis runs exactly over its values).
    bool pathDrawing = false;
};

} // namespace tarsel
