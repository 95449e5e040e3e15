#include "ui/common/locked_save.h"

#include "settings/file_lock.h"
#include "ui/common/ui_services.h"

#include <QString>

namespace tarsel {

LockedSave saveUnlessLocked(UiServices& services, QWidget* owner, const std::string& path,
                            const std::function<std::string()>& save,
                            const std::function<void(const std::string&)>& report) {
    for (;;) {
        const std::string error = save();
        if (!lockHeldByOther(error)) {
            if (!error.empty()) {
                report(error);
            }
            return LockedSave::Done;
        }
        const QString text =
            QStringLiteral("Another process holds the settings file locked:\n%1\n\n"
                           "Retry to save again, or Cancel to keep your values in the program "
                           "and save them later.")
                .arg(QString::fromStdString(path));
        if (!services.ask(owner, QStringLiteral("Settings not saved"), text,
                          QStringLiteral("&Retry"))) {
            return LockedSave::Cancelled;
        }
    }
}

} // namespace tarsel
