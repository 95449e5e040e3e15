#include "ui/text/text_window.h"

#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/fonts.h"
#include "ui/dialogs/dialogs.h"
#include "ui/text/text_scroll.h"
#include "ui/text/text_window_print.h"
#include "ui/text/text_window_save.h"
#include "ui/text/text_window_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMetaObject>

#include <algorithm>

namespace tarsel {

namespace {

constexpr int ReportColumns = 132; // fixed horizontal range

TextWindow* openWindow(AppState& state) {
    return qobject_cast<TextWindow*>(state.textWindow.data());
}

} // namespace

void initTextWindowState(AppState& state) {
    state.report.view.bandHeight = 100;
    state.report.view.hScrollPos = 0;
    state.report.view.vScrollPos = 0;
    state.hScrollMin = 0;
    state.vScrollMin = 0;
    state.hScrollMax = ReportColumns;
    state.vScrollMax = 48;
    state.report.reportLastRow = 48;
    state.report.applyScrollRanges = [&state] { ApplyScrollRanges(state); };
}

void TakeTextMetrics(AppState& state) {
    const QFontMetrics metrics(state.textFont);
    ScreenView& view = state.report.view;
    // At least one pixel per row and column, so that the band and the
    // scrolling arithmetic never divide by zero.
    view.charWidth = std::max(1, metrics.averageCharWidth());
    view.lineHeight = std::max(1, metrics.height());
    view.lineStep = view.lineHeight + std::max(0, metrics.leading());
}

void ApplyScrollRanges(AppState& state) {
    state.vScrollMax = state.report.reportLastRow;
    state.hScrollMax = ReportColumns;
    ScreenView& view = state.report.view;
    view.vScrollPos = clampScrollPos(view.vScrollPos, state.vScrollMin, state.vScrollMax);
    view.hScrollPos = clampScrollPos(view.hScrollPos, state.hScrollMin, state.hScrollMax);
    if (TextWindow* window = openWindow(state)) {
        window->applyScrollBars();
    }
}

void openOrActivateTextWindow(AppState& state) {
    if (TextWindow* window = openWindow(state)) {
        window->raise();
        window->activateWindow();
        window->view()->setFocus();
        return;
    }
    auto* window = new TextWindow(state);
    state.textWindow = window;
    TakeTextMetrics(state);
    window->resize(640, 480);
    window->show();
}

void repaintTextWindowNow(AppState& state) {
    if (TextWindow* window = openWindow(state)) {
        window->view()->repaint();
    }
}

void closeTextWindow(AppState& state) {
    QPointer<QWidget> window = state.textWindow;
    state.textWindow = nullptr;
    if (window) {
        window->close();
    }
}

void textWindowCommand(AppState& state, int id) {
    TextWindow* window = openWindow(state);
    if (window == nullptr) {
        return;
    }
    switch (id) {
    case IDM_EXIT: // "&Close": closes once the menu has returned
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        break;
    case IDM_SAVE_TEXT:
        SaveReportAsText(state, window);
        break;
    case IDM_PRINT_TEXT:
        PrintReport(state, window);
        break;
    case IDM_TEXT_HOME:
        window->scrollReport(false, ScrollRequest::Top);
        window->scrollReport(true, ScrollRequest::Top);
        break;
    case IDM_TEXT_OPTIONS:
        if (RunTextOptionsDialog(state, window) != 0) {
            postCommand(state.mainWindow, IDM_RECALC_ALL);
        }
        break;
    case IDM_FONT_TEXT:
        // The font is rebuilt from the record whether or not it changed.
        ChooseAndSaveFont(state, QApplication::focusWidget(), state.fonts.TextFont, "TextFont");
        state.textFont = fontFromLogFont(state.fonts.TextFont, QStringLiteral("monospace"));
        TakeTextMetrics(state);
        postCommand(state.mainWindow, IDM_RECALC_ALL);
        break;
    default:
        break;
    }
}

} // namespace tarsel
