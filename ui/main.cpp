// Tarsel: the radio link calculator, window "Movrane".
#include "settings/settings_path.h"
#include "ui/common/app_state.h"
#include "ui/common/application.h"
#include "ui/common/ui_services.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Tarsel"));

    // One developer option: save a picture of the main window at its normal
    // size and quit, with default inputs (a throw-away settings file).
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window as an image."),
                                        QStringLiteral("file"));
    options.addOption(screenshot);
    options.process(app);

    tarsel::AppState state;
    state.services = &tarsel::defaultUiServices();
    QTemporaryDir scratch;
    const bool picture = options.isSet(screenshot);
    state.settingsPath = picture ? scratch.filePath(QStringLiteral("Tarsel.ini"))
                                 : QString::fromStdString(tarsel::defaultSettingsPath());

    auto window = tarsel::startTarsel(state);
    if (picture) {
        // Let the first recalculation and layouts run, then take the picture.
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
        }
        const bool saved = window->grab().save(options.value(screenshot));
        window->close();
        return saved ? 0 : 1;
    }
    return app.exec();
}
