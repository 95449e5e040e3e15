#pragma once
// The platform dialogs the program uses, behind one interface that tests
// replace: the beep with its warning box, a question box, the font dialog
// and the save, open and print dialogs.

#include "entry/warning_sink.h"
#include "settings/log_font.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace tarsel {

// A save dialog that starts in a folder with a proposed name, and whose
// default suffix follows the filter the user chooses.
struct SaveQuestion {
    QStringList filters; // the first selected
    QString folder;      // empty: the user's home folder
    QString name;        // proposed file name, without a folder
};
struct SaveChoice {
    QString path; // empty when cancelled
    QString filter;
};

class UiServices {
public:
    virtual ~UiServices() = default;
    // Beep, then a modal box with the warning's text, title and icon.
    virtual void showWarning(QWidget* owner, const Warning& warning) = 0;
    // Beep, then a modal warning box with a button named action and Cancel;
    // true for action.
    virtual bool ask(QWidget* owner, const QString& title, const QString& text,
                     const QString& action) = 0;
    // Font dialog started from record; on confirmation the record holds the
    // choice and the result is true; otherwise the record is unchanged.
    virtual bool chooseFont(QWidget* owner, LogFont& record) = 0;
    // Save dialog with the given name filters (first selected) and default
    // suffix, confirming before overwriting. Empty when cancelled.
    virtual QString getSaveFileName(QWidget* owner, const QStringList& filters,
                                    const QString& defaultSuffix) = 0;
    // Print dialog on printer: true when the user chose to print, printer
    // then set up as chosen.
    virtual bool choosePrinter(QWidget* owner, QPrinter& printer) = 0;
    // The save dialog for a question; by default the plain dialog above with
    // its first filter's suffix.
    virtual SaveChoice askSaveFile(QWidget* owner, const SaveQuestion& question);
    // Open dialog for one existing file, starting in folder (or the last one
    // used). Empty when cancelled.
    virtual QString getOpenFileName(QWidget* owner, const QString& title,
                                    const QStringList& filters, const QString& folder) = 0;
    // The same for one or more files; empty when cancelled.
    virtual QStringList getOpenFileNames(QWidget* owner, const QString& title,
                                         const QStringList& filters, const QString& folder) = 0;
    // Folder dialog starting in folder; empty when cancelled.
    virtual QString getExistingDirectory(QWidget* owner, const QString& title,
                                         const QString& folder) = 0;
};

// "png" for "PNG image (*.png)": the suffix of a name filter's first pattern.
QString filterSuffix(const QString& filter);

// The real dialogs (QApplication::beep, QMessageBox, QFontDialog, QFileDialog).
UiServices& defaultUiServices();

// A WarningSink that shows every warning through services, owned by owner.
class BoxWarningSink : public WarningSink {
public:
    BoxWarningSink(UiServices& services, QWidget* owner) : services_(services), owner_(owner) {}
    void warn(const Warning& warning) override;

private:
    UiServices& services_;
    QWidget* owner_;
};

} // namespace tarsel
