#pragma once
// A sweep over a terrain path: the effective earth's k and the antenna
// heights beside the settings keys; each method's loss, the terrain margin
// and the path's figures as columns. tarsel-report --profile --sweep and the
// plot window's Sweep tab run the same points.

#include "sweep/sweep.h"
#include "sweep/sweep_table.h"
#include "terrain/path_analysis.h"
#include "terrain/profile.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tarsel {

// The extra columns of a terrain sweep, in SweepPoint::extra order.
enum TerrainSweepExtra : int {
    TerrainKFactor,
    TerrainTxHeight,
    TerrainRxHeight,
    TerrainLossDb,
    TerrainMarginDb,
    TerrainDeltaBullingtonDb,
    TerrainBullingtonDb,
    TerrainDeygoutDb,
    TerrainEpsteinPetersonDb,
    TerrainWorstFraction,
    TerrainObstacleNu,
    TerrainExtraCount
};

class TerrainSweep {
public:
    // The path over profile as setup takes it; obstacleIndex its main
    // obstacle for the base inputs (terrain::PathAnalysis::obstacle.index).
    TerrainSweep(std::shared_ptr<const terrain::Profile> profile, const terrain::PathSetup& setup,
                 std::size_t obstacleIndex);

    // kFactor, txHeight and rxHeight, with their bounds.
    static std::span<const ExtraSweepKey> keys();
    // The inputs above and the terrain results.
    static std::span<const SweepColumn> columns();

    // The plan and columns chosen, before any point: "" or why the sweep
    // cannot be run (an input the profile sets).
    std::string prepare(const SweepPlan& plan, const std::vector<SweepColumn>& columns);
    // One point, as SweepOptions::evaluate; on several threads at once.
    void evaluate(SweepPoint& point) const;

private:
    std::shared_ptr<const terrain::Profile> profile_;
    terrain::PathSetup setup_;
    std::size_t obstacleIndex_;
    int sweptField_ = -1; // of the settings keys, or
    int sweptExtra_ = -1; // of the extra inputs
    terrain::AnalysisParts parts_;
};

} // namespace tarsel
