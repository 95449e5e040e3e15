#pragma once
// tarsel-report --profile: a terrain path read and worked through once, then
// written as the report, JSON or the profile table, or swept.

#include "cli/sweep_command.h"
#include "cli/terrain_request.h"
#include "engine/link_params.h"
#include "sweep/terrain_sweep.h"
#include "terrain/path_analysis.h"
#include "terrain/profile.h"

#include <memory>
#include <optional>
#include <string>

namespace tarsel::cli {

enum class TerrainOutput { Report, Json, ProfileTable };

// The inputs a sweep over a terrain path takes beside the settings keys, and
// the columns it adds.
std::span<const ExtraSweepKey> terrainSweepKeys();
std::span<const SweepColumn> terrainSweepColumns();

class TerrainCommand : public SweepExtension {
public:
    // Reads the profile and works the path through for params. On a fault
    // prints it and returns ExitUsage; else ExitOk.
    int prepare(const TerrainRequest& request, const LinkParams& params);

    // The chosen output as text.
    std::string text(TerrainOutput output) const;

    // Sweeps: kFactor, txHeight and rxHeight beside the settings keys, the
    // terrain results as columns.
    std::span<const ExtraSweepKey> keys() const override;
    std::span<const SweepColumn> columns() const override;
    std::string prepare(const SweepPlan& plan, const std::vector<SweepColumn>& columns) override;
    void evaluate(SweepPoint& point) const override;

private:
    std::shared_ptr<const terrain::Profile> profile_;
    terrain::PathSetup setup_;
    terrain::PathAnalysis path_;
    std::optional<DemPath> dem_;        // when sampled from elevation data
    std::optional<TerrainSweep> sweep_; // once a sweep is prepared
};

} // namespace tarsel::cli
