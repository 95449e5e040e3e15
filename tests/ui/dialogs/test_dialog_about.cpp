// The About box and the dialog templates as the user sees them.

#include "test_dialog_harness.h"

#include "ui/dialogs/about_facts.h"
#include "ui/dialogs/dialog_about.h"
#include "ui/dialogs/dialog_params.h"
#include "ui/dialogs/dialog_table.h"
#include "ui/dialogs/dialogs.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tarsel::dialogs_test {
namespace {

QString labelText(QDialog& dialog, int id) {
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("id%1").arg(id));
    return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

bool hasText(QDialog& dialog, const QString& text) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text) {
            return true;
        }
    }
    return false;
}

TEST(AboutDialog, ShowsNameVersionBuildAndAvailableMemory) {
    AboutDialog dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), "About");
    EXPECT_EQ(labelText(dialog, 260), "1.1");
    // What this machine has, in KB, as /proc/meminfo says.
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    ASSERT_TRUE(meminfo.open(QIODevice::ReadOnly));
    const std::optional<long long> kb = memAvailableKb(meminfo.readAll());
    ASSERT_TRUE(kb.has_value());
    const QStringList memory = labelText(dialog, 103).split(' ');
    ASSERT_EQ(memory.size(), 2);
    EXPECT_EQ(memory[1], "KB");
    EXPECT_NEAR(memory[0].toDouble(), double(*kb), 0.5 * double(*kb));
    const QString build = QStringLiteral("%1 bit version for Linux").arg(sizeof(void*) * 8);
    for (const QString& text : {QStringLiteral("Tarsel"), QStringLiteral("Movrane"), build,
                                QStringLiteral("For further information, please see Help"),
                                QStringLiteral("Free virtual memory:")}) {
        EXPECT_TRUE(hasText(dialog, text)) << text.toStdString();
    }
    EXPECT_FALSE(hasText(dialog, QStringLiteral("32 bit version for Windows")));
}

TEST(AboutDialog, AvailableMemoryIsReadFromMeminfo) {
    const struct {
        const char* meminfo;
        std::optional<long long> kb;
    } rows[] = {
        {"MemTotal:       32000000 kB\nMemFree:  100 kB\nMemAvailable:   16234567 kB\n", 16234567},
        {"MemAvailable: 0 kB", 0},
        {"MemTotal:       32000000 kB\nMemFree:  100 kB\n", std::nullopt}, // old kernels
        {"MemAvailable:   lots kB\n", std::nullopt},
        {"MemAvailable:   -5 kB\n", std::nullopt},
        {"MemAvailable:   5 MB\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(memAvailableKb(QByteArray(row.meminfo)), row.kb) << row.meminfo;
    }
}

TEST(AboutDialog, EscapeDoesNotCloseIt) {
    AboutDialog dialog(nullptr);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("id1")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
}

TEST(AboutDialog, CloseBoxClosesThroughOk) {
    Harness h;
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog, Qt::Key_Escape); // ignored
        dialog->close();                         // the close box
    });
    EXPECT_EQ(RunAboutDialog(h.state, &h.mainWindow), 1);
}

TEST(DialogTemplates, TitlesAndControls) {
    struct Row {
        const char* name;
        const char* title;
        std::vector<int> ids;
    };
    const Row rows[] = {
        {"LOSParams", "LOS Parameters", {201, 202, 203, 206, 209, 210, 211, 212, 214, 215,
                                         216, 218, 220, 222, 225, 250, 251, 1,   2,   3}},
        {"SingDiffParams",
         "Single Diffraction",
         {223, 226, 239, 240, 242, 244, 246, 248, 249, 1, 2, 3}},
        {"TextOptions", "Options", {200, 1, 2, 3}},
        {"About", "About", {260, 103, 1}},
    };
    for (const Row& row : rows) {
        TableDialog dialog(QString::fromLatin1(row.name), nullptr);
        EXPECT_TRUE(dialog.hasTemplate()) << row.name;
        EXPECT_EQ(dialog.windowTitle().toStdString(), row.title);
        for (int id : row.ids) {
            EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("id%1").arg(id)), nullptr)
                << row.name << " " << id;
        }
    }
}

TEST(DialogTemplates, ButtonTexts) {
    TableDialog los(QStringLiteral("LOSParams"), nullptr);
    TableDialog options(QStringLiteral("TextOptions"), nullptr);
    const auto text = [](QDialog& d, int id) {
        return d.findChild<QPushButton*>(QStringLiteral("id%1").arg(id))->text();
    };
    EXPECT_EQ(text(los, 1), "OK");
    EXPECT_EQ(text(los, 2), "CANCEL");
    EXPECT_EQ(text(los, 3), "Recalculate");
    EXPECT_EQ(text(options, 2), "Cancel");
    EXPECT_TRUE(los.findChild<QPushButton*>(QStringLiteral("id1"))->isDefault()); // Enter is OK
}

TEST(DialogTemplates, MissingTemplateGivesAnEmptyDialog) {
    TableDialog dialog(QStringLiteral("NoSuchDialog"), nullptr);
    EXPECT_FALSE(dialog.hasTemplate());
    EXPECT_EQ(dialog.edit(201), nullptr);
}

// Dialog units: x * baseX / 4 and y * baseY / 8.
TEST(DialogTemplates, DialogUnitsToPixels) {
    struct Row {
        int baseX, baseY;
        QRect units, pixels;
    };
    // clang-format off
    const Row rows[] = {
        {6, 13, QRect(0, 0, 4, 8),     QRect(0, 0, 6, 13)},     // one base unit each way
        {6, 13, QRect(55, 3, 44, 13),  QRect(83, 5, 66, 21)},   // box 201, rounded
        {8, 16, QRect(262, 156, 4, 8), QRect(524, 312, 8, 16)}, // exact multiples
    };
    // clang-format on
    for (const Row& row : rows) {
        DialogUnits units{row.baseX, row.baseY};
        EXPECT_EQ(units.toPixels(row.units), row.pixels) << row.baseX << "," << row.baseY;
    }
}

// Tab walks the controls in the template's order, skipping the derived boxes.
TEST(DialogTemplates, TabOrder) {
    struct Row {
        const char* name;
        std::vector<int> order;
    };
    // clang-format off
    const Row rows[] = {
        {"LOSParams",      {201, 1, 2, 202, 203, 206, 209, 210, 211, 212, 215, 216, 3, 214, 218, 220}},
        {"SingDiffParams", {1, 2, 246, 248, 242, 223, 3, 249, 244}},
        {"TextOptions",    {3, 1, 2, 200}},
    };
    // clang-format on
    for (const Row& row : rows) {
        Harness h;
        std::unique_ptr<ParamDialog> dialog;
        const std::string name = row.name;
        if (name == "LOSParams") {
            dialog = std::make_unique<LosParamsDialog>(h.state, nullptr);
        } else if (name == "SingDiffParams") {
            dialog = std::make_unique<SingDiffParamsDialog>(h.state, nullptr);
        } else {
            dialog = std::make_unique<TextOptionsDialog>(h.state, nullptr);
        }
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        std::vector<int> seen;
        for (std::size_t i = 0; i < row.order.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr) << name;
            seen.push_back(focus->objectName().mid(2).toInt());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        EXPECT_EQ(seen, row.order) << name;
        EXPECT_EQ(QApplication::focusWidget()->objectName(),
                  QStringLiteral("id%1").arg(row.order[0]))
            << name << ": Tab wraps to the first control";
    }
}

} // namespace
} // namespace tarsel::dialogs_test
