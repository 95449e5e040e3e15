#pragma once
// The Graphs menu's terrain commands and what the window does with a terrain:
// each recalculation works the path through and takes the main obstacle as
// the hill; the settings file keeps the terrain's source in [Terrain] and the
// user's own hill in [Tarsel].

#include "engine/link_params.h"
#include "entry/warning_sink.h"
#include "settings/terrain_settings.h"
#include "terrain/profile.h"

#include <QString>
#include <string>

class QWidget;

namespace tarsel {

struct AppState;

// "Load Terrain Profile...": a CSV file chosen in the open dialog. A file
// that cannot be used is refused with a warning naming it and the place of
// the fault, and the terrain in use (or the single hill) stays.
void loadTerrainProfile(AppState& state, QWidget* owner);

// "Clear Terrain": back to the user's own hill.
void clearTerrain(AppState& state);

// Makes profile, taken as source says, the terrain in use, named name in the
// main window's note, keeps the source in the settings file (unless it is
// the one kept there already) and queues a recalculation; a kept terrain
// still loading is given up. Works the path through first: when that cannot
// be done, returns why and changes nothing.
std::string useTerrain(AppState& state, const TerrainSource& source, terrain::Profile profile,
                       const QString& name, bool keepInFile = true);

// At start-up, after the parameters: the terrain kept in the settings file.
// One that cannot be had warns and leaves the single hill; the file keeps it.
// Elevation data is only noted here: it loads once the window shows
// (elevation_terrain.h).
void restoreTerrain(AppState& state, WarningSink& warnings);

// Back to the user's hill, as when an analysis fails; the source keeps its
// settings for next time.
void putTerrainAside(AppState& state);
// The warning's text when the terrain was put aside for error.
std::string terrainPutAsideText(const std::string& error);

// The warning for a kept terrain that cannot be had, and why.
Warning keptTerrainWarning(const std::string& why);

// The parameters as the settings file keeps them: the user's own hill.
LinkParams parametersToSave(const AppState& state);

// The profile of a profile-file source, or the error naming file, line and column.
std::string readSourceProfile(const TerrainSource& source, terrain::Profile& profile);

// The note's text: where the geometry comes from, or what is loading.
QString terrainNoteText(const AppState& state);

// An elevation source as the note names it: its first raster file or
// folder, and how many more; notes (what the sampling said, such as the
// voids it filled) after it in brackets.
QString elevationName(const TerrainSource& source, const QString& notes = {});

} // namespace tarsel
