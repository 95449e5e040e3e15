#pragma once
// Saving the report as an ASCII text file from the text window.

#include <QStringList>

#include <string>

class QWidget;

namespace tarsel {

struct AppState;

// The save dialog's filter list: description and pattern pairs, each ended
// by the list's last character. Empty means the list is undefined.
std::string& SaveFilterString();

// "Text Files(*.TXT)|*.txt|" -> "Text Files (*.txt)": each description with
// the pattern the dialog applies. A description without pattern is dropped.
QStringList saveFilterList(const std::string& filterString);

// Asks for a file name and writes the report there (file mode). Cancelling,
// a missing filter list and a file that cannot be written are each reported.
void SaveReportAsText(AppState& state, QWidget* window);

} // namespace tarsel
