#pragma once
// Terrain from elevation data in the window: the Graphs menu's dialog, and
// the elevation source kept in the settings file loaded again after start-up.
// Both have tarsel-report sample the profile (elevation_load.h).

class QWidget;

namespace tarsel {

struct AppState;

// "Terrain from Elevation Data...": the dialog over owner, modal to it but
// not waited for, filled from the last elevation entries (or the hill's
// antenna heights without a terrain). Its profile becomes the terrain in use.
void openElevationDialog(AppState& state, QWidget* owner);

// Once the window shows: the elevation source kept in the settings file
// loads in the background, the single hill in use and the note saying so
// meanwhile, with progress (not modal) when it takes long. A failure warns
// and leaves the single hill; a cancel leaves it silently. Either way the
// file keeps the source for the next start.
void loadKeptElevationTerrain(AppState& state);

} // namespace tarsel
