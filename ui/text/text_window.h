#pragma once
// The "Text Output" window: the report on screen, scrolling, saving, printing
// and the report's options. At most one exists; state.textWindow is empty while
// closed.

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

// Metrics of state.textFont: charWidth (average character width),
// lineHeight (character height), lineStep (height plus leading).
void TakeTextMetrics(AppState& state);

// Takes the vertical range from the last report row (horizontal 0..132),
// clamps both positions into their ranges and, when the window is open, sets
// its scroll bars. Run at the end of every report and on every resize.
void ApplyScrollRanges(AppState& state);

// A command of the text window's menu or keys (100, 102, 103, 106, 120, 510);
// others do nothing. Needs the window open.
void textWindowCommand(AppState& state, int id);

} // namespace tarsel
