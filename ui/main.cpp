// Tarsel: the radio link calculator, window "Movrane".
#include "settings/settings_path.h"
#include "tarsel/version.h"
#include "ui/common/app_state.h"
#include "ui/common/application.h"
#include "ui/common/ui_services.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <clocale>
#include <csignal>

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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Tarsel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tarsel::Version));
    answerHelpOrVersion(argc, argv);
    // A file size limit makes a save fail with a message, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tarsel::ApplicationId));
    CommandLine line;
    line.parser.process(app);

    tarsel::AppState state;
    state.services = &tarsel::defaultUiServices();
    QTemporaryDir scratch;
    const bool picture = line.parser.isSet(line.screenshot);
    state.settingsPath = picture ? scratch.filePath(QStringLiteral("Tarsel.ini"))
                                 : QString::fromStdString(tarsel::defaultSettingsPath());

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
