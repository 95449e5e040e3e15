#pragma once
// The modal parameter dialogs and the About box. Each returns 1 after OK and
// 0 after Cancel (Escape, close box).

class QWidget;

namespace tarsel {

struct AppState;

int RunLosParamsDialog(AppState& state, QWidget* owner);
int RunSingDiffParamsDialog(AppState& state, QWidget* owner);
int RunTextOptionsDialog(AppState& state, QWidget* owner);
int RunAboutDialog(AppState& state, QWidget* owner);

} // namespace tarsel
