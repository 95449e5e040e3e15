#include "ui/common/locked_save.h"

#include "settings/file_lock.h"
#include "ui/common/ui_services.h"

#include <QString>
#include <vector>

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

LockedSave saveSettingsUnlessLocked(UiServices& services, QWidget* owner, const std::string& path,
                                    const std::function<void(WarningSink&)>& save, bool firstOnly) {
    class Collected : public WarningSink {
    public:
        void warn(const Warning& warning) override { warnings.push_back(warning); }
        std::vector<Warning> warnings;
    } collected;
    const auto attempt = [&] {
        collected.warnings.clear();
        save(collected);
        return collected.warnings.empty() ? std::string() : collected.warnings.front().text;
    };
    const auto report = [&](const std::string&) {
        BoxWarningSink boxes(services, owner);
        for (const Warning& warning : collected.warnings) {
            boxes.warn(warning);
            if (firstOnly) {
                break;
            }
        }
    };
    return saveUnlessLocked(services, owner, path, attempt, report);
}

} // namespace tarsel
