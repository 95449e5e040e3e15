// The real warning box: its title and text, and where a warning comes from
// under the text.
#include "ui/common/ui_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

struct ShownBox {
    QString title, text, informative;
};

// Shows warning through the real services and reads the box before closing it.
ShownBox show(const Warning& warning) {
    ShownBox shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = {box->windowTitle(), box->text(), box->informativeText()};
            box->accept();
        }
    });
    defaultUiServices().showWarning(nullptr, warning);
    return shown;
}

TEST(WarningBox, ShowsTheTextAndWhereItComesFromUnderIt) {
    Warning stored = entryWarning("Invalid number format: abc");
    stored.detail = "/tmp/x/Tarsel.ini, [Tarsel] Pt";
    const ShownBox withDetail = show(stored);
    EXPECT_EQ(withDetail.title, QStringLiteral("Error"));
    EXPECT_EQ(withDetail.text, QStringLiteral("Invalid number format: abc"));
    EXPECT_EQ(withDetail.informative, QStringLiteral("/tmp/x/Tarsel.ini, [Tarsel] Pt"));
    EXPECT_EQ(show(entryWarning("Number 5 out of range")).informative, QString());
}

} // namespace
} // namespace tarsel::testing
