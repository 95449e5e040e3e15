#include "ui/text/text_window_save.h"

#include "report/report.h"
#include "ui/common/app_state.h"
#include "ui/common/ui_services.h"

#include "ui/common/write_file.h"

#include <QApplication>

#include <sstream>

namespace tarsel {

namespace {

UiServices& servicesOf(AppState& state) {
    return state.services != nullptr ? *state.services : defaultUiServices();
}

} // namespace

std::string& SaveFilterString() {
    static std::string filters =
        "Text Files(*.TXT)|*.txt|Data Files(*.DAT)|*.dat|All Files(*.*)|*.*|";
    return filters;
}

QStringList saveFilterList(const std::string& filterString) {
    QStringList filters;
    if (filterString.empty()) {
        return filters;
    }
    const QString all = QString::fromLatin1(filterString);
    const QChar separator = all.back();
    const QStringList parts = all.split(separator);
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& pattern = parts[i + 1];
        if (pattern.isEmpty()) {
            continue;
        }
        QString description = parts[i];
        const qsizetype paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0) {
            description.truncate(paren);
        }
        description = description.trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, pattern);
    }
    return filters;
}

void SaveReportAsText(AppState& state, QWidget* window) {
    UiServices& services = servicesOf(state);
    QWidget* focus = QApplication::focusWidget();
    QWidget* owner = focus != nullptr ? focus : window;

    const std::string& filterString = SaveFilterString();
    if (filterString.empty()) {
        services.showWarning(
            owner, Warning{"File open filter string undefined", "Error", WarningIcon::Error});
        return;
    }
    const QString path =
        services.getSaveFileName(window, saveFilterList(filterString), QStringLiteral("txt"));
    if (!path.isEmpty()) {
        std::ostringstream report;
        generateReport(state.report, state.params, state.results, nullptr, &report, ReportToFile,
                       state.terrain.reportSection);
        const QString reason = writeFileWhole(path, QByteArray::fromStdString(report.str()));
        if (!reason.isEmpty()) {
            const QString text =
                QStringLiteral("The report could not be saved to %1: %2").arg(path, reason);
            services.showWarning(owner, Warning{text.toStdString(), "Export", WarningIcon::Error});
        }
    } else {
        services.showWarning(owner, Warning{"File not saved.", "Export", WarningIcon::Error});
    }
    if (window != nullptr) {
        window->repaint();
    }
}

} // namespace tarsel
