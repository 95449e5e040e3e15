#pragma once
// The About box: program name, version, the build's word size and system and
// the memory available. It closes with "Ok" or its close box; Escape does
// nothing.

#include "ui/dialogs/dialog_table.h"

namespace tarsel {

class AboutDialog : public TableDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);

    void reject() override; // Escape: ignored

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tarsel
