// Tarsel: the radio link calculator, window "Movrane".
#include "settings/settings_path.h"
#include "tarsel/version.h"
#include "ui/common/app_state.h"
#include "ui/common/ui_services.h"
#include "ui/common/write_file.h"
#include "ui/main/application.h"
#include "ui/main/main_window.h"
#include "ui/plots/plot_colours.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;
    // One developer option: save a picture of the main window at its normal
    // size and quit, with default inputs (a throw-away settings file).
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Save the main window as an image to <file> and "
                                                 "quit (exit status 1 if it cannot be saved)."),
                                  QStringLiteral("file")};

    CommandLine() : help(parser.addHelpOption()), version(parser.addVersionOption()) {
        parser.setApplicationDescription(
            QStringLiteral("Tarsel: the calculator for one radio link (link budget, "
                           "diffraction over one hill, receiver intermodulation).\n"
                           "Without options it opens the main window, \"Movrane\"."));
        parser.addOption(screenshot);
    }
};

// --help, --help-all and --version are answered without a display: before
// the GUI starts.
void answerHelpOrVersion(int argc, char** argv) {
    CommandLine line;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Unknown options here may be Qt's own (-platform ...); the GUI's parser judges them.
    line.parser.parse(arguments);
    const QString request = line.parser.isSet(QStringLiteral("help-all")) ? "--help-all"
                            : line.parser.isSet(line.help)                ? "--help"
                            : line.parser.isSet(line.version)             ? "--version"
                                                                          : QString();
    if (!request.isEmpty()) {
        QCoreApplication core(argc, argv);
        line.parser.process(QStringList{arguments.value(0), request}); // prints and exits
    }
}

// Without a display Qt would abort with a core dump; say so and stop instead
// (unless a platform is chosen, e.g. -platform offscreen).
void requireDisplay(int argc, char** argv) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return;
        }
    }
    std::fprintf(stderr,
                 "tarsel: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
                 "unset); tarsel-report prints the report without one\n");
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Tarsel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tarsel::Version));
    answerHelpOrVersion(argc, argv);
    requireDisplay(argc, argv);
    tarsel::ignoreWriteSignals();

    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tarsel::ApplicationId));
    // TARSEL_DARK=1: a dark palette, to see the program as a dark desktop shows it.
    if (qEnvironmentVariableIntValue("TARSEL_DARK") != 0) {
        QApplication::setPalette(tarsel::darkPlotPalette());
    }
    CommandLine line;
    line.parser.process(app);

    tarsel::AppState state;
    state.services = &tarsel::defaultUiServices();
    QTemporaryDir scratch;
    const bool picture = line.parser.isSet(line.screenshot);
    state.settingsPath = picture ? scratch.filePath(QStringLiteral("Tarsel.ini"))
                                 : QString::fromStdString(tarsel::defaultSettingsPath());
    state.saveOnExit = !picture; // the scratch file goes with the picture's run

    auto window = tarsel::startTarsel(state);
    if (picture) {
        // Let the first recalculation and layouts run, then take the picture.
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
        }
        const bool saved = window->grab().save(line.parser.value(line.screenshot));
        window->close();
        return saved ? 0 : 1;
    }
    return app.exec();
}
