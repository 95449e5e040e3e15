// Placeholder until the text window lands.
#include "ui/text_window.h"

#include "ui/app_state.h"

namespace tarsel {

void initTextWindowState(AppState& state) {
    state.report.view.bandHeight = 100;
    state.report.view.hScrollPos = 0;
    state.report.view.vScrollPos = 0;
    state.hScrollMin = 0;
    state.vScrollMin = 0;
    state.hScrollMax = 132;
    state.vScrollMax = 48;
    state.report.reportLastRow = 48;
}
void openOrActivateTextWindow(AppState&) {}
void repaintTextWindowNow(AppState&) {}
void closeTextWindow(AppState&) {}

} // namespace tarsel
