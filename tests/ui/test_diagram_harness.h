#pragma once
// A minimal window around one diagram pane: the application state, a main
// window that counts the commands posted to it, and dialogs that record the
// warnings instead of showing them.

#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/ui_services.h"
#include "ui/main/diagram_pane.h"

#include "fake_services.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

namespace tarsel::testing {

// Stands in for the main window: remembers every posted command.
class CommandRecorder : public QWidget {
public:
    std::vector<int> commands;

protected:
    bool event(QEvent* event) override {
        if (event->type() == CommandEvent::eventType()) {
            commands.push_back(static_cast<CommandEvent*>(event)->commandId);
            return true;
        }
        return QWidget::event(event);
    }
};

struct DiagramHarness {
    AppState state;
    FakeServices services;
    std::unique_ptr<CommandRecorder> main;
    DiagramPane* pane = nullptr;

    explicit DiagramHarness(QSize size = QSize(632, 378)) : main(new CommandRecorder) {
        state.services = &services;
        state.mainWindow = main.get();
        main->resize(size);
        pane = new DiagramPane(state, main.get());
        pane->setGeometry(QRect(QPoint(0, 0), size));
        pane->RefreshAllFields();
        main->show();
        static_cast<void>(QTest::qWaitForWindowExposed(main.get()));
    }

    QLineEdit* box(int index) const { return pane->field(index); }

    // Delivers the posted commands and returns them.
    std::vector<int> postedCommands() {
        QCoreApplication::sendPostedEvents(main.get(), CommandEvent::eventType());
        return main->commands;
    }

    // Replaces a box's text as the user would: select all, type, no Enter.
    void type(int index, const QString& text) {
        QLineEdit* b = box(index);
        b->selectAll();
        QTest::keyClick(b, Qt::Key_Delete);
        QTest::keyClicks(b, text);
    }
};

} // namespace tarsel::testing
