// A sweep over a terrain path.

#include "sweep/terrain_sweep.h"

#include "engine/param_table.h"
#include "engine/recalculate.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tarsel {

namespace {

const std::array<SweepColumn, TerrainExtraCount> ExtraColumns{{
    {"kFactor", "", nullptr, nullptr, TerrainKFactor, true, false},
    {"txHeight", "m", nullptr, nullptr, TerrainTxHeight, true, false},
    {"rxHeight", "m", nullptr, nullptr, TerrainRxHeight, true, false},
    {"terrain.lossDb", "dB", nullptr, nullptr, TerrainLossDb, false, true},
    {"terrain.marginDb", "dB", nullptr, nullptr, TerrainMarginDb, false, true},
    {"terrain.deltaBullingtonDb", "dB", nullptr, nullptr, TerrainDeltaBullingtonDb, false, false},
    {"terrain.bullingtonDb", "dB", nullptr, nullptr, TerrainBullingtonDb, false, false},
    {"terrain.deygoutDb", "dB", nullptr, nullptr, TerrainDeygoutDb, false, false},
    {"terrain.epsteinPetersonDb", "dB", nullptr, nullptr, TerrainEpsteinPetersonDb, false, false},
    {"terrain.worstFresnelFraction", "", nullptr, nullptr, TerrainWorstFraction, false, false},
    {"terrain.mainObstacleNu", "", nullptr, nullptr, TerrainObstacleNu, false, false},
}};

const std::array<ExtraSweepKey, 3> ExtraKeys{{
    {"kFactor", terrain::MinKFactor, terrain::MaxKFactor},
    {"txHeight", -DblMax, DblMax},
    {"rxHeight", -DblMax, DblMax},
}};

// Inputs the profile sets, which a terrain sweep cannot move.
constexpr int DerivedFields[] = {FieldRange, FieldX12s, FieldX23s, FieldY01s, FieldY02s, FieldY03s};

} // namespace

TerrainSweep::TerrainSweep(std::shared_ptr<const terrain::Profile> profile,
                           const terrain::PathSetup& setup, std::size_t obstacleIndex)
    : profile_(std::move(profile)), setup_(setup), obstacleIndex_(obstacleIndex) {}

std::span<const ExtraSweepKey> TerrainSweep::keys() {
    return ExtraKeys;
}

std::span<const SweepColumn> TerrainSweep::columns() {
    return ExtraColumns;
}

std::string TerrainSweep::prepare(const SweepPlan& plan, const std::vector<SweepColumn>& columns) {
    sweptField_ = sweepField(plan);
    sweptExtra_ = -1;
    for (const SweepColumn& column : ExtraColumns) {
        if (column.extraInput && column.name == plan.key) {
            sweptExtra_ = column.extra;
        }
    }
    if (std::find(std::begin(DerivedFields), std::end(DerivedFields), sweptField_) !=
        std::end(DerivedFields)) {
        return "'" + plan.key +
               "' comes from the profile; sweep txHeight or rxHeight for the antennas";
    }
    if (sweptExtra_ == TerrainKFactor && setup_.earthRadiusM) {
        return "kFactor cannot be swept with --earth-radius given";
    }
    parts_ = {false, false};
    // Only the earth and the antennas move the main obstacle.
    if (sweptExtra_ < 0) {
        parts_.obstacleIndex = obstacleIndex_;
    }
    for (const SweepColumn& column : columns) {
        parts_.allMethods = parts_.allMethods || (column.extra >= TerrainDeltaBullingtonDb &&
                                                  column.extra <= TerrainEpsteinPetersonDb);
        parts_.clearance = parts_.clearance || column.extra == TerrainWorstFraction;
    }
    return {};
}

void TerrainSweep::evaluate(SweepPoint& point) const {
    terrain::PathSetup setup = setup_;
    if (sweptField_ >= 0) {
        applySweepValue(point.params, sweptField_, point.value);
    } else if (sweptExtra_ == TerrainKFactor) {
        setup.kFactor = point.value;
    } else if (sweptExtra_ == TerrainTxHeight) {
        setup.txHeightM = point.value;
    } else if (sweptExtra_ == TerrainRxHeight) {
        setup.rxHeightM = point.value;
    }
    terrain::PathAnalysis path;
    const std::string error = terrain::analysePath(*profile_, setup, point.params, path, parts_);
    point.extra.assign(TerrainExtraCount, std::numeric_limits<double>::quiet_NaN());
    point.extra[TerrainKFactor] = setup.kFactor;
    point.extra[TerrainTxHeight] = setup.txHeightM.value_or(point.params.y01s.value);
    point.extra[TerrainRxHeight] = setup.rxHeightM.value_or(point.params.y03s.value);
    if (!error.empty()) {
        point.results = recalculate(point.params);
        return;
    }
    point.params = path.params;
    point.results = path.results;
    const terrain::MethodLosses& l = path.losses;
    using terrain::Method;
    point.extra[TerrainLossDb] = path.lossDb;
    point.extra[TerrainMarginDb] = path.terrain.marginDb;
    if (parts_.allMethods) {
        point.extra[TerrainDeltaBullingtonDb] = l.of(Method::DeltaBullington);
        point.extra[TerrainBullingtonDb] = l.of(Method::Bullington);
        point.extra[TerrainDeygoutDb] = l.of(Method::Deygout);
        point.extra[TerrainEpsteinPetersonDb] = l.of(Method::EpsteinPeterson);
    }
    if (parts_.clearance) {
        point.extra[TerrainWorstFraction] = path.clearance.worst.fresnelFraction;
    }
    point.extra[TerrainObstacleNu] = path.obstacle.nu;
}

} // namespace tarsel
