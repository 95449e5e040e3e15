#include "ui/main/elevation_terrain.h"

#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/elevation_load.h"
#include "ui/common/ui_services.h"
#include "ui/dialogs/elevation_dialog.h"
#include "ui/main/main_window.h"
#include "ui/main/terrain_commands.h"
#include "ui/main/terrain_note.h"

namespace tarsel {

void openElevationDialog(AppState& state, QWidget* owner) {
    if (state.services == nullptr) {
        return;
    }
    TerrainSource start = state.terrain.source;
    if (!state.terrain.inUse() && start.rasterPaths.empty()) {
        // A first terrain keeps the antennas as high above the ground as the
        // hill had them above its baseline.
        start.txHeightM = state.params.y01s.value;
        start.rxHeightM = state.params.y03s.value;
    }
    auto* dialog = new ElevationDialog(
        start, *state.services, state.reportProgram,
        [&state](const TerrainSource& source, terrain::Profile profile, const QString& notes) {
            return useTerrain(state, source, std::move(profile), elevationName(source, notes));
        },
        owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void loadKeptElevationTerrain(AppState& state) {
    if (state.terrain.source.kind != TerrainKind::ElevationData || state.terrain.inUse() ||
        state.terrain.restoring) {
        return;
    }
    QWidget* window = state.mainWindow.data();
    auto* load = new ElevationLoad(state.reportProgram, window);
    state.terrain.restoring = load;
    const TerrainSource source = state.terrain.source;
    load->start(source, [&state, load, source](ElevationOutcome& outcome) {
        load->deleteLater();
        state.terrain.restoring = nullptr;
        std::string error = outcome.message.toStdString();
        if (outcome.status == ElevationOutcome::Status::Loaded) {
            error = useTerrain(state, source, std::move(outcome.profile),
                               elevationName(source, outcome.notes), false);
        }
        if (!error.empty() || outcome.status != ElevationOutcome::Status::Loaded) {
            state.terrain.source.kind = TerrainKind::None; // in the file it stays
            state.bFieldsRefreshed = false;
            postCommand(state.mainWindow.data(), IDM_RECALC_ALL); // the note goes
        }
        if (!error.empty() && state.services != nullptr) {
            Warning warning = keptTerrainWarning(error);
            warning.detail =
                state.settingsPath.toStdString() + ", [" + TerrainSection + "] " + warning.key;
            state.services->showWarning(state.mainWindow.data(), warning);
        }
    });
    load->showProgress(window, Qt::NonModal);
    if (auto* main = qobject_cast<MainWindow*>(window); main && main->terrainNote()) {
        main->terrainNote()->setNote(terrainNoteText(state)); // loading, from the start
    }
}

} // namespace tarsel
