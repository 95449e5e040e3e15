// The monkey's plot-window mode: a user who zooms, pans and resets the plots
// while typing values at the ends of the fields' ranges.
#include "monkey.h"

#include "ui/common/commands.h"
#include "ui/main/diagram_pane.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/plot_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <array>

namespace tarsel::testing {

namespace {

// Values at and beyond the ends of the doubles, and a few mistakes.
constexpr std::array<const char*, 14> ExtremeTokens{
    "4e307",  "-4e307", "8e307", "1e308", "-1e308", "1.7976931348623157e308", "1e-300", "0", "-0",
    "1e-320", "2e9",    "abc",   "1e309", "0.001"};

constexpr std::array<int, 4> GraphCommands{IDM_GRAPH_RANGE, IDM_GRAPH_HEIGHT, IDM_GRAPH_PROFILE,
                                           IDM_GRAPH_SWEEP};

} // namespace

void Monkey::actOnPlots() {
    auto* plots = qobject_cast<PlotWindow*>(state()->plotWindow.data());
    if (plots == nullptr) {
        const int command = oneOf(GraphCommands);
        note("open plots " + std::to_string(command));
        window()->commandAction(command)->trigger();
        return;
    }
    PlotView* view = plots->view(plots->currentTab());
    const auto anywhere = [&] {
        // Inside the plot mostly, sometimes well beyond it.
        return QPoint(pick(view->width() + 600) - 300, pick(view->height() + 600) - 300);
    };
    const int roll = pick(100);
    if (roll < 25) {
        const QPointF at = anyPointIn(view);
        const int steps = pick(11) - 5;
        note("plot wheel " + std::to_string(steps));
        QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
    } else if (roll < 55) {
        const bool pan = roll >= 45;
        const Qt::MouseButton button = pan ? Qt::MiddleButton : Qt::LeftButton;
        const QPoint from = anyPointIn(view), to = anywhere();
        note(std::string(pan ? "plot pan" : "plot rubber band") + " to " + std::to_string(to.x()) +
             "," + std::to_string(to.y()));
        QTest::mousePress(view, button, {}, from);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, button, {}, to);
    } else if (roll < 60) {
        note("plot right click");
        QTest::mouseClick(view, Qt::RightButton, {}, anyPointIn(view));
    } else if (roll < 67) {
        note("Reset Zoom");
        plots->findChild<QPushButton*>(QStringLiteral("resetZoom"))->click();
    } else if (roll < 75) {
        const int tab = pick(PlotTabCount);
        note("plot tab " + std::to_string(tab));
        plots->tabs()->setCurrentIndex(tab);
    } else if (roll < 88) {
        const int field = pick(FieldCount);
        const char* token = oneOf(ExtremeTokens);
        const bool commit = chance(0.75);
        note("field " + std::to_string(field) + " '" + token + "'" + (commit ? "" : " typed"));
        QLineEdit* box = window()->diagramPane()->field(field);
        state()->hLastEdit = box;
        typeInto(box, token, commit);
    } else if (roll < 94) {
        const char* name = chance(0.5) ? "sweepFrom" : "sweepTo";
        const char* token = oneOf(ExtremeTokens);
        const bool commit = chance(0.75);
        note(std::string(name) + " '" + token + "'" + (commit ? "" : " typed"));
        if (auto* box = plots->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            if (box->isVisible()) {
                typeInto(box, token, commit);
            }
        }
    } else if (roll < 97) {
        const std::vector<QAbstractButton*> boxes = [&] {
            std::vector<QAbstractButton*> out;
            for (QCheckBox* box : plots->findChildren<QCheckBox*>()) {
                if (box->isVisible()) {
                    out.push_back(box);
                }
            }
            return out;
        }();
        if (!boxes.empty()) {
            QAbstractButton* box = oneOf(boxes);
            note("plot check " + box->objectName().toStdString());
            box->click();
        }
    } else {
        // The exaggeration or the swept input.
        const char* name = chance(0.5) ? "exaggeration" : "sweepKey";
        if (auto* box = plots->findChild<QComboBox*>(QString::fromLatin1(name))) {
            const int index = pick(box->count());
            note(std::string(name) + " " + std::to_string(index));
            box->setCurrentIndex(index);
        }
    }
}

} // namespace tarsel::testing
