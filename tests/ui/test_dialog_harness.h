#pragma once
// A program state without the main window: fake platform dialogs that record
// warnings and answer the save and font dialogs, and a stand-in main window
// that logs the commands it receives and carries out the recalculation.

#include "engine/recalculate.h"
#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/fonts.h"
#include "ui/common/ui_services.h"
#include "ui/text/text_window.h"

#include "fake_services.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>
#include <vector>

namespace tarsel::dialogs_test {

// Receives the posted commands; a recalculation recomputes the results and
// repaints the text window, as the real main window does.
class StandInMainWindow : public QWidget {
public:
    explicit StandInMainWindow(AppState& state) : state_(state) {}
    std::vector<int> commands;

protected:
    bool event(QEvent* event) override {
        if (event->type() == CommandEvent::eventType()) {
            const int id = static_cast<CommandEvent*>(event)->commandId;
            commands.push_back(id);
            if (id == IDM_RECALC_ALL) {
                state_.results = recalculate(state_.params);
                repaintTextWindowNow(state_);
            }
            return true;
        }
        return QWidget::event(event);
    }

private:
    AppState& state_;
};

struct Harness {
    QTemporaryDir dir;
    AppState state;
    testing::FakeServices services;
    StandInMainWindow mainWindow{state};

    Harness() {
        state.services = &services;
        state.mainWindow = &mainWindow;
        state.settingsPath = dir.filePath(QStringLiteral("Tarsel.ini"));
        state.textFont = fontFromLogFont(state.fonts.TextFont);
        state.measuringFont = state.textFont;
        initTextWindowState(state);
        state.results = recalculate(state.params);
    }
    ~Harness() {
        closeTextWindow(state);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Delivers the posted commands.
    void deliverPosted() { QCoreApplication::sendPostedEvents(&mainWindow); }
};

} // namespace tarsel::dialogs_test
