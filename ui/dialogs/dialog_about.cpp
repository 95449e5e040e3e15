#include "ui/dialogs/dialog_about.h"

#include "report/report.h"
#include "ui/dialogs/about_facts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>

namespace tarsel {

namespace {
constexpr int VersionStatic = 260;
constexpr int MemoryStatic = 103;
// The template's line of the build, replaced by what is true of this one.
const QString TemplateBuild = QStringLiteral("32 bit version for Windows");
} // namespace

AboutDialog::AboutDialog(QWidget* owner) : TableDialog(QStringLiteral("About"), owner) {
    setItemText(VersionStatic, QString::fromLatin1(ReportVersion));
    // The build and the free memory as they are, not the template's fixed
    // "32 bit version for Windows" and 1024 KB.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->text() == TemplateBuild) {
            label->setText(buildDescription());
        }
    }
    setItemText(MemoryStatic, availableMemoryText());
    if (QPushButton* ok = button(1)) {
        connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    }
}

void AboutDialog::reject() {}

void AboutDialog::closeEvent(QCloseEvent* event) {
    // The close box takes the "Ok" path, queued like a click.
    event->ignore();
    QMetaObject::invokeMethod(
        this, [this] { done(1); }, Qt::QueuedConnection);
}

} // namespace tarsel
