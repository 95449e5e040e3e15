#include "ui/common/ui_services.h"

#include "ui/common/fonts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace tarsel {

namespace {

QMessageBox::Icon boxIcon(WarningIcon icon) {
    switch (icon) {
    case WarningIcon::Information:
        return QMessageBox::Information;
    case WarningIcon::Error:
        return QMessageBox::Critical;
    case WarningIcon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

class DefaultUiServices : public UiServices {
public:
    void showWarning(QWidget* owner, const Warning& warning) override {
        QApplication::beep();
        QMessageBox box(boxIcon(warning.icon), QString::fromStdString(warning.title),
                        QString::fromStdString(warning.text), QMessageBox::Ok, owner);
        if (!warning.detail.empty()) {
            box.setInformativeText(QString::fromStdString(warning.detail));
        }
        box.exec();
    }

    bool ask(QWidget* owner, const QString& title, const QString& text,
             const QString& action) override {
        QApplication::beep();
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Cancel, owner);
        QPushButton* yes = box.addButton(action, QMessageBox::AcceptRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes;
    }

    bool chooseFont(QWidget* owner, LogFont& record) override {
        bool ok = false;
        const QFont offered = dialogFont(fontFromLogFont(record));
        const QFont chosen = QFontDialog::getFont(&ok, offered, owner);
        if (ok) {
            record = recordAfterDialog(record, offered, chosen);
        }
        return ok;
    }

    QString getSaveFileName(QWidget* owner, const QStringList& filters,
                            const QString& defaultSuffix) override {
        QFileDialog dialog(owner);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(filters);
        if (!filters.isEmpty()) {
            dialog.selectNameFilter(filters.first());
        }
        dialog.setDefaultSuffix(defaultSuffix);
        // Overwriting an existing file is confirmed (the dialog's default).
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return dialog.selectedFiles().first();
    }

    bool choosePrinter(QWidget* owner, QPrinter& printer) override {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    }

    SaveChoice askSaveFile(QWidget* owner, const SaveQuestion& question) override {
        QFileDialog dialog(owner);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(question.filters);
        const QString folder = question.folder.isEmpty() || !QDir(question.folder).exists()
                                   ? QDir::homePath()
                                   : question.folder;
        dialog.setDirectory(folder);
        if (!question.filters.isEmpty()) {
            dialog.selectNameFilter(question.filters.first());
            dialog.setDefaultSuffix(filterSuffix(question.filters.first()));
        }
        // A name typed without a suffix takes the chosen filter's.
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
        if (!question.name.isEmpty()) {
            dialog.selectFile(question.name);
        }
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return {dialog.selectedFiles().first(), dialog.selectedNameFilter()};
    }

    QString getOpenFileName(QWidget* owner, const QString& title, const QStringList& filters,
                            const QString& folder) override {
        return QFileDialog::getOpenFileName(owner, title, folder,
                                            filters.join(QStringLiteral(";;")));
    }
    QStringList getOpenFileNames(QWidget* owner, const QString& title, const QStringList& filters,
                                 const QString& folder) override {
        return QFileDialog::getOpenFileNames(owner, title, folder,
                                             filters.join(QStringLiteral(";;")));
    }
    QString getExistingDirectory(QWidget* owner, const QString& title,
                                 const QString& folder) override {
        return QFileDialog::getExistingDirectory(owner, title, folder);
    }
};

} // namespace

SaveChoice UiServices::askSaveFile(QWidget* owner, const SaveQuestion& question) {
    const QString filter = question.filters.value(0);
    return {getSaveFileName(owner, question.filters, filterSuffix(filter)), filter};
}

QString filterSuffix(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0) {
        return {};
    }
    qsizetype end = star + 2;
    while (end < filter.size() && filter[end].isLetterOrNumber()) {
        ++end;
    }
    return filter.mid(star + 2, end - star - 2);
}

UiServices& defaultUiServices() {
    static DefaultUiServices services;
    return services;
}

void BoxWarningSink::warn(const Warning& warning) {
    services_.showWarning(owner_, warning);
}

} // namespace tarsel
