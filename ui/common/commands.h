#pragma once
// Command identifiers of the main window, its menu and the text window.

namespace tarsel {

enum CommandId : int {
    IDM_EXIT = 100, // main menu "E&xit"; text window "&Close"
    IDM_ABOUT = 101,
    IDM_SAVE_TEXT = 102,
    IDM_TEXT_HOME = 103,
    IDM_RECALC = 104,
    IDM_LOS = 105,
    IDM_TEXT_OPTIONS = 106,
    IDM_DIFFRACTION = 107,
    IDM_HELP_CONTENTS = 109,
    IDM_TEXT_WINDOW = 110,
    IDM_NORMAL_SIZE = 111,
    IDM_PRINT_TEXT = 120,  // text window "&Print..."
    IDM_GRAPH_RANGE = 130, // "&Graphs" menu
    IDM_GRAPH_HEIGHT = 131,
    IDM_GRAPH_PROFILE = 132,
    IDM_GRAPH_SWEEP = 133,
    IDM_EXPORT_PDF = 134,
    IDM_TERRAIN_PROFILE = 135, // "Load &Terrain Profile..."
    IDM_TERRAIN_DEM = 136,     // "Terrain from Elevation &Data..."
    IDM_TERRAIN_CLEAR = 137,   // "&Clear Terrain"
    IDM_FONT_GRAPHICS = 508,
    IDM_FONT_CONTROL = 509,
    IDM_FONT_TEXT = 510,
    IDM_FONT_EDIT = 511,
    UM_COMMIT_ENTRY = 1025,
    IDM_RECALC_ALL = 1026,
    IDM_RELAYOUT = 1027,
};

} // namespace tarsel
