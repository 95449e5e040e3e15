#pragma once
// Start-up of the whole program on a given state: the main window with its
// panes, the fonts, the settings, the entry fields and the report's scrolling
// state. Tests build the program with their own settings path and services.

#include <memory>

namespace tarsel {

struct AppState;
class MainWindow;
struct LogFont;

// Runs the start-up on state (its settingsPath and services must be set),
// shows the main window and returns it. The first recalculation and then the
// first layout run from the event loop. The window must not outlive state.
std::unique_ptr<MainWindow> startTarsel(AppState& state);

// The measuring font record built from a font's metrics: fixed pitch,
// weight 400, face "System".
LogFont measuringFontRecord(int charHeight, int averageCharWidth);

} // namespace tarsel
