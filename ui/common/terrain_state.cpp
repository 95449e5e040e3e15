#include "ui/common/terrain_state.h"

#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/ui_services.h"

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
    terrain::PathAnalysis analysis;
    if (std::string error =
            terrain::analysePath(*state.terrain.profile, pathSetup(source), state.params, analysis);
        !error.empty()) {
        return error;
    }
    state.terrain.source = source;
    state.terrain.analysis = std::move(analysis);
    saveTerrainSourceOf(state);
    state.bFieldsRefreshed = false;
    postCommand(state.mainWindow.data(), IDM_RECALC_ALL);
    return {};
}

} // namespace tarsel
