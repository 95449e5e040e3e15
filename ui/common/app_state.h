#pragma once
// The program-wide single instances: the parameters and results, the font
// records, the report state, the terrain, the flags of the entry paths and
// the handles of the windows (each may be empty; every use checks it).

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "report/report_writer.h"
#include "settings/log_font.h"
#include "ui/common/terrain_state.h"

#include <QFont>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace tarsel {

class UiServices;

struct AppState {
    LinkParams params;
    LinkResults results;
    FontRecords fonts;
    ReportState report;
    TerrainState terrain; // the path over a terrain, when one is in use

    QString settingsPath;  // Tarsel.ini, in the user's configuration folder
    QString reportProgram; // tarsel-report, which samples elevation data; empty: beside us
    UiServices* services = nullptr;
    bool saveOnExit = true; // false: a throw-away run keeps no inputs

    // Windows. The main window receives the posted commands.
    QPointer<QWidget> mainWindow;
    QPointer<QWidget> textWindow;
    QPointer<QWidget> plotWindow;

    // Fonts made from the records (and the measuring font, built at start).
    QFont measuringFont;
    QFont graphicsFont;
    QFont controlFont;
    QFont textFont;
    QFont editFont;

    // Entry state.
    QPointer<QLineEdit> hLastEdit;
    bool bFieldsRefreshed = false;
    bool bNormalSize = true;
    bool bHintShown = false;
    bool bHintOpen = false;

    // Text window scrolling ranges (positions and metrics are in report.view).
    int hScrollMin = 0;
    int hScrollMax = 132;
    int vScrollMin = 0;
    int vScrollMax = 48;
};

} // namespace tarsel
