#pragma once
// The program's help: Tarsel.html shown in its own window at the top.

#include <QString>
#include <QStringList>

namespace tarsel {

class HelpWindow;

// Where the help file is looked for, in order: beside the executable (in
// executableDir), then in the installed data folder found from there
// (executableDir/../share/tarsel for the usual layout).
QStringList helpFileCandidates(const QString& executableDir);

// The first candidate that exists as a file, or an empty string.
QString findHelpFile(const QStringList& candidates);

// The message for a help file found nowhere, naming every place looked in.
QString helpFileMissingText(const QStringList& candidates);

// A new help window showing file at its top (deleted when closed).
HelpWindow* openHelpWindow(const QString& file);

} // namespace tarsel
