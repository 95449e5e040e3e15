#pragma once
// The report's Terrain section: the path, the earth radius, each method's
// loss, the worst point, the verdict and the terrain margin, as lines that
// follow the link report's last row (tarsel-report --report and the text
// window alike).

#include "terrain/path_analysis.h"
#include "terrain/profile.h"

#include <string>

namespace tarsel::terrain {

// Starts with two line breaks, so that one blank row parts it from the report.
std::string terrainReportSection(const Profile& profile, const PathAnalysis& path);

} // namespace tarsel::terrain
