// The report with its Terrain section, and the profile table.

#include "cli/terrain_output.h"
#include "entry/number_format.h"
#include "report/report.h"
#include "terrain/clearance.h"
#include "terrain/report_section.h"

namespace tarsel::cli {

std::string terrainReport(const terrain::Profile& profile, const terrain::PathAnalysis& path) {
    return reportText(path.params, path.results, terrain::terrainReportSection(profile, path));
}

std::string profileTable(const terrain::Profile& profile, const terrain::PathInputs& in) {
    std::string out = "distance [m],ground [m],bulge [m],line of sight [m],first Fresnel radius "
                      "[m],clearance [m],clearance fraction\n";
    out.reserve(out.size() + profile.size() * 96);
    for (std::size_t i = 0; i < profile.size(); ++i) {
        const terrain::ClearancePoint p = terrain::clearanceAt(profile, in, i);
        for (const double v :
             {p.distanceM, p.groundM, p.bulgeM, p.lineOfSightM, p.fresnelRadiusM, p.clearanceM}) {
            out += formatShortest(v);
            out += ',';
        }
        out += formatShortest(p.fresnelFraction);
        out += '\n';
    }
    return out;
}

} // namespace tarsel::cli
