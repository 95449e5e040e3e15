// tarsel-report --profile.

#include "cli/terrain_command.h"

#include "cli/diagnostics.h"
#include "cli/terrain_output.h"
#include "engine/param_table.h"
#include "engine/recalculate.h"

#include <algorithm>
#include <limits>

namespace tarsel::cli {

namespace {

// The extra columns of a terrain sweep, in SweepPoint::extra order.
enum Extra : int {
    KFactor,
    TxHeight,
    RxHeight,
    LossDb,
    MarginDb,
    DeltaBullingtonDb,
    BullingtonDb,
    DeygoutDb,
    EpsteinPetersonDb,
    WorstFraction,
    ObstacleNu,
    ExtraCount
};

const std::array<SweepColumn, ExtraCount> ExtraColumns{{
    {"kFactor", "", nullptr, nullptr, KFactor, true, false},
    {"txHeight", "m", nullptr, nullptr, TxHeight, true, false},
    {"rxHeight", "m", nullptr, nullptr, RxHeight, true, false},
    {"terrain.lossDb", "dB", nullptr, nullptr, LossDb, false, true},
    {"terrain.marginDb", "dB", nullptr, nullptr, MarginDb, false, true},
    {"terrain.deltaBullingtonDb", "dB", nullptr, nullptr, DeltaBullingtonDb, false, false},
    {"terrain.bullingtonDb", "dB", nullptr, nullptr, BullingtonDb, false, false},
    {"terrain.deygoutDb", "dB", nullptr, nullptr, DeygoutDb, false, false},
    {"terrain.epsteinPetersonDb", "dB", nullptr, nullptr, EpsteinPetersonDb, false, false},
    {"terrain.worstFresnelFraction", "", nullptr, nullptr, WorstFraction, false, false},
    {"terrain.mainObstacleNu", "", nullptr, nullptr, ObstacleNu, false, false},
}};

const std::array<ExtraSweepKey, 3> ExtraKeys{{
    {"kFactor", MinKFactor, MaxKFactor},
    {"txHeight", -DblMax, DblMax},
    {"rxHeight", -DblMax, DblMax},
}};

// Inputs the profile sets, which a terrain sweep cannot move.
constexpr int DerivedFields[] = {FieldRange, FieldX12s, FieldX23s, FieldY01s, FieldY02s, FieldY03s};

} // namespace

int TerrainCommand::prepare(const TerrainRequest& request, const LinkParams& params) {
    terrain::DistanceUnit unit = terrain::DistanceUnit::FromHeader;
    if (!terrainSetup(request, setup_, unit)) {
        return ExitUsage;
    }
    std::optional<terrain::Profile> profile = readTerrainProfile(request, unit, dem_);
    if (!profile) {
        return ExitUsage;
    }
    profile_ = std::move(*profile);
    if (const std::string error = terrain::analysePath(profile_, setup_, params, path_);
        !error.empty()) {
        printError(error, request.source());
        return ExitUsage;
    }
    return ExitOk;
}

std::string TerrainCommand::text(TerrainOutput output) const {
    switch (output) {
    case TerrainOutput::Json:
        return terrainJson(profile_, path_, dem_ ? &*dem_ : nullptr);
    case TerrainOutput::ProfileTable:
        return profileTable(profile_, path_.inputs);
    case TerrainOutput::Report:
        break;
    }
    return terrainReport(profile_, path_);
}

std::span<const ExtraSweepKey> terrainSweepKeys() {
    return ExtraKeys;
}

std::span<const SweepColumn> terrainSweepColumns() {
    return ExtraColumns;
}

std::span<const ExtraSweepKey> TerrainCommand::keys() const {
    return ExtraKeys;
}

std::span<const SweepColumn> TerrainCommand::columns() const {
    return ExtraColumns;
}

std::string TerrainCommand::prepare(const SweepPlan& plan,
                                    const std::vector<SweepColumn>& columns) {
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
    if (sweptExtra_ == KFactor && setup_.earthRadiusM) {
        return "kFactor cannot be swept with --earth-radius given";
    }
    parts_ = {false, false};
    // Only the earth and the antennas move the main obstacle.
    if (sweptExtra_ < 0) {
        parts_.obstacleIndex = path_.obstacle.index;
    }
    for (const SweepColumn& column : columns) {
        parts_.allMethods = parts_.allMethods || (column.extra >= DeltaBullingtonDb &&
                                                  column.extra <= EpsteinPetersonDb);
        parts_.clearance = parts_.clearance || column.extra == WorstFraction;
    }
    return {};
}

void TerrainCommand::evaluate(SweepPoint& point) const {
    terrain::PathSetup setup = setup_;
    if (sweptField_ >= 0) {
        applySweepValue(point.params, sweptField_, point.value);
    } else if (sweptExtra_ == KFactor) {
        setup.kFactor = point.value;
    } else if (sweptExtra_ == TxHeight) {
        setup.txHeightM = point.value;
    } else if (sweptExtra_ == RxHeight) {
        setup.rxHeightM = point.value;
    }
    terrain::PathAnalysis path;
    const std::string error = terrain::analysePath(profile_, setup, point.params, path, parts_);
    point.extra.assign(ExtraCount, std::numeric_limits<double>::quiet_NaN());
    point.extra[KFactor] = setup.kFactor;
    point.extra[TxHeight] = setup.txHeightM.value_or(point.params.y01s.value);
    point.extra[RxHeight] = setup.rxHeightM.value_or(point.params.y03s.value);
    if (!error.empty()) {
        point.results = recalculate(point.params);
        return;
    }
    point.params = path.params;
    point.results = path.results;
    const terrain::MethodLosses& l = path.losses;
    using terrain::Method;
    point.extra[LossDb] = path.lossDb;
    point.extra[MarginDb] = path.terrain.marginDb;
    if (parts_.allMethods) {
        point.extra[DeltaBullingtonDb] = l.of(Method::DeltaBullington);
        point.extra[BullingtonDb] = l.of(Method::Bullington);
        point.extra[DeygoutDb] = l.of(Method::Deygout);
        point.extra[EpsteinPetersonDb] = l.of(Method::EpsteinPeterson);
    }
    if (parts_.clearance) {
        point.extra[WorstFraction] = path.clearance.worst.fresnelFraction;
    }
    point.extra[ObstacleNu] = path.obstacle.nu;
}

} // namespace tarsel::cli
