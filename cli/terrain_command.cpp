// tarsel-report --profile.

#include "cli/terrain_command.h"

#include "cli/diagnostics.h"
#include "cli/terrain_output.h"

namespace tarsel::cli {

int TerrainCommand::prepare(const TerrainRequest& request, const LinkParams& params) {
    terrain::DistanceUnit unit = terrain::DistanceUnit::FromHeader;
    if (!terrainSetup(request, setup_, unit)) {
        return ExitUsage;
    }
    std::optional<terrain::Profile> profile = readTerrainProfile(request, unit, dem_);
    if (!profile) {
        return ExitUsage;
    }
    profile_ = std::make_shared<const terrain::Profile>(std::move(*profile));
    if (const std::string error = terrain::analysePath(*profile_, setup_, params, path_);
        !error.empty()) {
        printError(error, request.source());
        return ExitUsage;
    }
    return ExitOk;
}

std::string TerrainCommand::text(TerrainOutput output) const {
    switch (output) {
    case TerrainOutput::Json:
        return terrainJson(*profile_, path_, dem_ ? &*dem_ : nullptr);
    case TerrainOutput::ProfileTable:
        return profileTable(*profile_, path_.inputs);
    case TerrainOutput::Report:
        break;
    }
    return terrainReport(*profile_, path_);
}

std::span<const ExtraSweepKey> terrainSweepKeys() {
    return TerrainSweep::keys();
}

std::span<const SweepColumn> terrainSweepColumns() {
    return TerrainSweep::columns();
}

std::span<const ExtraSweepKey> TerrainCommand::keys() const {
    return TerrainSweep::keys();
}

std::span<const SweepColumn> TerrainCommand::columns() const {
    return TerrainSweep::columns();
}

std::string TerrainCommand::prepare(const SweepPlan& plan,
                                    const std::vector<SweepColumn>& columns) {
    sweep_.emplace(profile_, setup_, path_.obstacle.index);
    return sweep_->prepare(plan, columns);
}

void TerrainCommand::evaluate(SweepPoint& point) const {
    sweep_->evaluate(point);
}

} // namespace tarsel::cli
