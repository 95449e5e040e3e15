#pragma once
// The plot window's choices, kept in Tarsel.ini in a section of their own
// ([Plots]) beside, never inside, the parameters section.

#include <string>
#include <vector>

namespace tarsel {

inline constexpr const char* PlotSection = "Plots";
// The most points a swept plot takes.
inline constexpr int MaxPlotSweepPoints = 1000000;

struct PlotSettings {
    int tab = 0;             // 0 Range, 1 Obstruction height, 2 Path profile, 3 Sweep
    bool rangeLog = false;   // logarithmic distance axis
    bool rangePower = false; // received power instead of the margin
    double exaggeration = 10.0;
    std::string sweepKey = "fcent";
    double sweepFrom = 1e9;
    double sweepTo = 1e10;
    int sweepPoints = 201;
    bool sweepLog = true;
    std::vector<std::string> sweepResults = {"noDiffraction.marginDb"};
    std::string folder; // where the last picture, data or PDF was saved

    bool operator==(const PlotSettings&) const = default;
};

// Reads the section; missing or unreadable values keep their defaults.
PlotSettings loadPlotSettings(const std::string& path);

// Writes the section in place; every other line of the file stays as it was.
// Returns "" on success, otherwise "<path>: <reason>".
std::string savePlotSettings(const std::string& path, const PlotSettings& settings);

} // namespace tarsel
