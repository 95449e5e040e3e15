#pragma once
// The "Text Output" window: the report on screen, scrolling, saving and the
// report's options. At most one exists; state.textWindow is empty while closed.

namespace tarsel {

struct AppState;

// Start-up: scroll state (bandHeight 100, positions 0, ranges 0..132 and
// 0..48, reportLastRow 48) and the report's scroll-range hook.
void initTextWindowState(AppState& state);

// Command 110: give the open window the focus, or create and show it.
void openOrActivateTextWindow(AppState& state);

// After a recalculation: repaint the whole report at once if the window is open.
void repaintTextWindowNow(AppState& state);

// Close the window if it is open (empties state.textWindow first).
void closeTextWindow(AppState& state);

} // namespace tarsel
