#include "ui/common/terrain_state.h"

#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/ui_services.h"

#include <bit>
#include <cstdint>

namespace tarsel {

HillGeometry HillGeometry::of(const LinkParams& p) {
    return HillGeometry{p.X12s, p.X23s, p.Range, p.y01s, p.y02s, p.y03s};
}

void HillGeometry::applyTo(LinkParams& p) const {
    p.X12s = X12s;
    p.X23s = X23s;
    p.Range = Range;
    p.y01s = y01s;
    p.y02s = y02s;
    p.y03s = y03s;
}

bool HillGeometry::sameValues(const HillGeometry& o) const {
    return X12s.value == o.X12s.value && X23s.value == o.X23s.value &&
           Range.value == o.Range.value && y01s.value == o.y01s.value &&
           y02s.value == o.y02s.value && y03s.value == o.y03s.value;
}

bool TerrainAnalysisKey::operator==(const TerrainAnalysisKey& o) const {
    // Bit for bit: a NaN is the same NaN.
    const auto same = [](double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    };
    return profile == o.profile && same(txHeightM, o.txHeightM) && same(rxHeightM, o.rxHeightM) &&
           same(kFactor, o.kFactor) && same(seaFraction, o.seaFraction) && method == o.method &&
           polarization == o.polarization && same(frequencyHz, o.frequencyHz);
}

TerrainAnalysisKey analysisKeyOf(const AppState& state) {
    const TerrainSource& s = state.terrain.source;
    return TerrainAnalysisKey{state.terrain.profile.get(),
                              s.txHeightM,
                              s.rxHeightM,
                              s.kFactor,
                              s.seaFraction,
                              s.method,
                              s.polarization,
                              state.params.fcent.value};
}

terrain::PathSetup pathSetup(const TerrainSource& source) {
    terrain::PathSetup setup;
    setup.txHeightM = source.txHeightM;
    setup.rxHeightM = source.rxHeightM;
    setup.kFactor = source.kFactor;
    setup.polarization = source.polarization == "vertical" ? terrain::Polarization::Vertical
                                                           : terrain::Polarization::Horizontal;
    setup.seaFraction = source.seaFraction;
    setup.method = terrain::methodNamed(source.method).value_or(terrain::Method::DeltaBullington);
    return setup;
}

void saveTerrainSourceOf(AppState& state) {
    if (state.services == nullptr) {
        return;
    }
    BoxWarningSink boxes(*state.services, state.mainWindow.data());
    saveTerrainSource(state.settingsPath.toStdString(), state.terrain.source, boxes);
}

std::string retakeTerrain(AppState& state, const TerrainSource& source) {
    if (!state.terrain.inUse()) {
        return {};
    }
    if (std::string error =
            terrain::checkPath(*state.terrain.profile, pathSetup(source), state.params);
        !error.empty()) {
        return error;
    }
    state.terrain.source = source;
    saveTerrainSourceOf(state);
    state.bFieldsRefreshed = false;
    postCommand(state.mainWindow.data(), IDM_RECALC_ALL);
    return {};
}

} // namespace tarsel
