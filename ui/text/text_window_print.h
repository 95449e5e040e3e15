#pragma once
// Printing the report from the text window: the print dialog, then the
// report's rows in the report's fixed-pitch face, as many pages as it takes.

#include <QFont>
#include <QStringList>

class QPrinter;
class QWidget;

namespace tarsel {

struct AppState;

// Draws lines on printer in font (a pixel size is taken at screenDpi), shrunk
// when the widest line would not fit the page's width, each page as full as
// it holds. Returns the number of pages, or 0 when the printer cannot be
// opened (a file that cannot be written).
int printLines(QPrinter& printer, QFont font, int screenDpi, const QStringList& lines);

// Asks for a printer and prints the report there. Cancelling prints nothing;
// a printer that cannot be opened is reported.
void PrintReport(AppState& state, QWidget* window);

} // namespace tarsel
