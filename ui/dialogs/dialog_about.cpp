#include "ui/dialogs/dialog_about.h"

#include "entry/number_format.h"
#include "report/report.h"

#include <QCloseEvent>
#include <QMetaObject>
#include <QPushButton>

namespace tarsel {

namespace {
constexpr int VersionStatic = 260;
constexpr int MemoryStatic = 103;
constexpr long FreeMemoryKb = 1024; // shown as a fixed figure
} // namespace

AboutDialog::AboutDialog(QWidget* owner) : TableDialog(QStringLiteral("About"), owner) {
    setItemText(VersionStatic, QString::fromLatin1(ReportVersion));
    setItemText(MemoryStatic, QString::fromStdString(formatInt(FreeMemoryKb) + " KB"));
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
