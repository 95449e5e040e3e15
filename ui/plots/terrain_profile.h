#pragma once
// The path profile over a terrain: the ground raised by the earth bulge for
// the path's effective earth (so that the line of sight stays straight),
// filled down to a base that curves with the earth; the antennas, the line of
// sight, the first Fresnel zone and its 60 % zone, the worst point and the
// main obstacle, and the verdict.

#include "terrain/path_analysis.h"
#include "terrain/profile.h"
#include "ui/plots/plot_figure.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace tarsel {

// The most points of the ground outline: a longer profile keeps the highest
// point of each stretch, so no obstacle is drawn lower than it is.
inline constexpr std::size_t TerrainOutlinePoints = 4000;

// What the plot window's background work takes of the terrain in use.
struct TerrainPlot {
    std::shared_ptr<const terrain::Profile> profile; // empty: no terrain
    terrain::PathAnalysis analysis;
    double kFactor = terrain::DefaultKFactor;
    terrain::PathSetup setup; // as the source asks, for the Sweep tab's k sweep
};

// path: the analysis of profile; kFactor its effective earth's k, for the title.
PlotFigure terrainProfileFigure(const terrain::Profile& profile, const terrain::PathAnalysis& path,
                                double kFactor);

// A row of the methods table beside the profile: a method's loss, or the
// terrain margin (the last row), in dB as shown.
struct TerrainTableRow {
    QString title;
    QString value;
    bool used = false; // the method the margin takes
};
std::vector<TerrainTableRow> terrainTableRows(const terrain::PathAnalysis& path);
// The rows' titles, before any path is known.
QStringList terrainTableTitles();

// "4/3", "2/3", "1", "inf" or the shortest number, as the k control shows it.
QString kFactorText(double k);

// The verdict line: the verdict, the worst point's clearance in metres and
// in per cent of the first Fresnel zone radius, and where it is.
QString terrainVerdictText(const terrain::PathAnalysis& path);

} // namespace tarsel
