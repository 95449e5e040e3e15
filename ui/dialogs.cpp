// Placeholder until the dialogs land.
#include "ui/dialogs.h"

namespace tarsel {

int RunLosParamsDialog(AppState&, QWidget*) { return 0; }
int RunSingDiffParamsDialog(AppState&, QWidget*) { return 0; }
int RunTextOptionsDialog(AppState&, QWidget*) { return 0; }
int RunAboutDialog(AppState&, QWidget*) { return 0; }

} // namespace tarsel
