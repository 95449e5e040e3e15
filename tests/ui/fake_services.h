#pragma once
// Platform dialogs for the GUI tests: warnings are recorded with their owner
// instead of shown, and the font, save, open and print dialogs answer what
// the test set.

#include "ui/common/ui_services.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tarsel::testing {

class FakeServices : public UiServices {
public:
    std::vector<Warning> warnings;
    std::vector<QWidget*> owners;      // the owner of each warning box
    bool modal = false;                // a warning box delivers the posted events while open
    std::optional<LogFont> fontAnswer; // empty: the font dialog is cancelled
    int fontDialogs = 0;
    int askAnswers = 0;   // how many question boxes answer their action before Cancel
    QStringList askTexts; // the text of each question box
    QString saveAnswer;   // empty: the save dialog is cancelled
    int saveDialogs = 0;
    QStringList saveFilters;
    QString saveSuffix;
    QString printAnswer; // a PDF file to print to; empty: the print dialog is cancelled
    int printDialogs = 0;
    QString saveFilterAnswer; // the filter chosen; empty: the first offered
    SaveQuestion saveQuestion;
    QString openAnswer; // empty: the open dialog is cancelled
    int openDialogs = 0;
    QStringList openFilesAnswer; // empty: the dialog for several files is cancelled
    QString folderAnswer;        // empty: the folder dialog is cancelled

    void showWarning(QWidget* owner, const Warning& warning) override {
        warnings.push_back(warning);
        owners.push_back(owner);
        if (modal) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }
    bool ask(QWidget*, const QString&, const QString& text, const QString&) override {
        askTexts.append(text);
        return askAnswers-- > 0;
    }
    bool chooseFont(QWidget*, LogFont& record) override {
        ++fontDialogs;
        if (!fontAnswer) {
            return false;
        }
        record = *fontAnswer;
        return true;
    }
    QString getSaveFileName(QWidget*, const QStringList& filters,
                            const QString& defaultSuffix) override {
        ++saveDialogs;
        saveFilters = filters;
        saveSuffix = defaultSuffix;
        return saveAnswer;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        ++printDialogs;
        if (printAnswer.isEmpty()) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printAnswer);
        return true;
    }
    SaveChoice askSaveFile(QWidget* owner, const SaveQuestion& question) override {
        saveQuestion = question;
        const QString path = getSaveFileName(owner, question.filters, QString());
        return {path, saveFilterAnswer.isEmpty() ? question.filters.value(0) : saveFilterAnswer};
    }
    QString getOpenFileName(QWidget*, const QString&, const QStringList&, const QString&) override {
        ++openDialogs;
        return openAnswer;
    }
    QStringList getOpenFileNames(QWidget*, const QString&, const QStringList&,
                                 const QString&) override {
        ++openDialogs;
        return openFilesAnswer;
    }
    QString getExistingDirectory(QWidget*, const QString&, const QString&) override {
        ++openDialogs;
        return folderAnswer;
    }
};

} // namespace tarsel::testing
