#pragma once
// The whole program started on a temporary settings file, with dialogs that
// record warnings and answer the font dialog from the test, and a log of the
// commands the main window receives.

#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/ui_services.h"
#include "ui/main/application.h"
#include "ui/main/diagram_pane.h"
#include "ui/main/main_window.h"
#include "ui/main/status_pane.h"
#include "ui/main/terrain_analyser.h"

#include "fake_services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarsel::testing {

// Records the ids of the commands delivered to the main window, in order.
class CommandLog : public QObject {
public:
    std::vector<int> ids;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == CommandEvent::eventType()) {
            ids.push_back(static_cast<CommandEvent*>(event)->commandId);
        }
        return false;
    }
};

struct Program {
    QTemporaryDir dir;
    AppState state;
    FakeServices services;
    CommandLog log;
    std::unique_ptr<MainWindow> window;

    // Starts the program; iniText, when given, is the settings file's content.
    // modalWarnings: each warning box runs the queued commands, as a real one.
    explicit Program(const std::optional<std::string>& iniText = std::nullopt,
                     const QString& settingsPath = {}, bool modalWarnings = false) {
        services.modal = modalWarnings;
        state.settingsPath =
            settingsPath.isEmpty() ? dir.filePath(QStringLiteral("Tarsel.ini")) : settingsPath;
        if (iniText) {
            QFile file(state.settingsPath);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(iniText->c_str());
            }
        }
        state.services = &services;
        window = startTarsel(state);
        window->installEventFilter(&log);
    }

    // Runs the queued commands (and those they queue) until none is left.
    // A terrain's analysis running in the background is waited for.
    void settle() {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            for (int i = 0; i < 10; ++i) {
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents();
            }
            if (!window || !window->terrainAnalyser()->busy() || clock.elapsed() > 60000) {
                return;
            }
            QThread::msleep(1);
        }
    }

    StatusPane* status() const { return window->statusPane(); }
    DiagramPane* diagram() const { return window->diagramPane(); }
    QString line(int index) const { return status()->resultLine(index)->lineText(); }

    // After a close: removes the settings file, destroys the window and tells
    // whether that wrote the file again (it must not: the inputs are saved once).
    bool savedAgainOnDestruction() {
        QFile::remove(state.settingsPath);
        window.reset();
        return QFile::exists(state.settingsPath);
    }

    QString settingsText() const {
        QFile file(state.settingsPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

} // namespace tarsel::testing
