#include "ui/common/help_window.h"

#include "ui/common/help_window_view.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

// The installed data folder relative to the installed executable's folder, so
// the help is found under any prefix, also after the tree has been moved.
#ifndef TARSEL_DATA_DIR_FROM_BIN
#define TARSEL_DATA_DIR_FROM_BIN "../share/tarsel"
#endif

namespace tarsel {

namespace {
const QString HelpFileName = QStringLiteral("Tarsel.html");
}

QStringList helpFileCandidates(const QString& executableDir) {
    return {QDir(executableDir).filePath(HelpFileName),
            QDir::cleanPath(
                QDir(executableDir)
                    .filePath(QStringLiteral(TARSEL_DATA_DIR_FROM_BIN "/") + HelpFileName))};
}

QString findHelpFile(const QStringList& candidates) {
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

QString helpFileMissingText(const QStringList& candidates) {
    return QStringLiteral("The help file %1 was not found. Looked for:\n%2")
        .arg(HelpFileName, candidates.join(QLatin1Char('\n')));
}

HelpWindow* openHelpWindow(const QString& file) {
    auto* window = new HelpWindow(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace tarsel
