#include "ui/dialogs/dialogs.h"

#include "ui/dialogs/dialog_about.h"
#include "ui/dialogs/dialog_params.h"

#include <QPointer>

namespace tarsel {

namespace {

// The dialog lives on the heap so that losing its owner while it runs
// cannot delete it twice.
int runModal(QDialog* dialog) {
    QPointer<QDialog> guard(dialog);
    const int result = dialog->exec();
    delete guard.data();
    return result;
}

} // namespace

int RunLosParamsDialog(AppState& state, QWidget* owner) {
    return runModal(new LosParamsDialog(state, owner));
}

int RunSingDiffParamsDialog(AppState& state, QWidget* owner) {
    return runModal(new SingDiffParamsDialog(state, owner));
}

int RunTextOptionsDialog(AppState& state, QWidget* owner) {
    return runModal(new TextOptionsDialog(state, owner));
}

int RunAboutDialog(AppState&, QWidget* owner) {
    return runModal(new AboutDialog(owner));
}

} // namespace tarsel
