#include "ui/main/main_window.h"

#include "engine/recalculate.h"
#include "settings/settings.h"
#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/fonts.h"
#include "ui/common/help_window.h"
#include "ui/common/help_window_view.h"
#include "ui/common/locked_save.h"
#include "ui/common/program_icon.h"
#include "ui/common/ui_services.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/diagram_image.h"
#include "ui/main/diagram_pane.h"
#include "ui/main/elevation_terrain.h"
#include "ui/main/status_pane.h"
#include "ui/main/terrain_analyser.h"
#include "ui/main/terrain_commands.h"
#include "ui/main/terrain_note.h"
#include "ui/plots/pdf_report.h"
#include "ui/plots/plot_window.h"
#include "ui/text/text_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace tarsel {

namespace {} // namespace

MainWindow::MainWindow(AppState& state) : state_(state) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Movrane"));
    setWindowIcon(programIcon());
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client_);
    buildMenu();
    terrainAnalyser_ = new TerrainAnalyser(state_, this);
    connect(terrainAnalyser_, &TerrainAnalyser::arrived, this, &MainWindow::takeTerrainAnalysis);

    state_.mainWindow = this;
    state_.bFieldsRefreshed = false;
    state_.bHintShown = false;
    state_.bHintOpen = false;
    state_.hLastEdit = nullptr;
    postCommand(this, IDM_RECALC_ALL);
}

MainWindow::~MainWindow() {
    // Leaving without a close (the program torn down) still keeps the inputs.
    saveParameters();
    if (helpWindow_) {
        delete helpWindow_.data();
    }
    // The plot and text windows have no parent: they go with the main
    // window, before the state they draw from.
    if (state_.plotWindow) {
        delete state_.plotWindow.data();
    }
    if (state_.textWindow) {
        delete state_.textWindow.data();
    }
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& text, int id) {
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    connect(action, &QAction::triggered, this, [this, id] { command(id); });
    actions_[id] = action;
    return action;
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    addCommand(file, QStringLiteral("&Text Window"), IDM_TEXT_WINDOW);
    QAction* exit = addCommand(file, QStringLiteral("E&xit"), IDM_EXIT);

    // A command on the menu bar itself.
    QAction* recalc = bar->addAction(QStringLiteral("&Recalculate!"));
    recalc->setData(static_cast<int>(IDM_RECALC));
    recalc->setObjectName(QStringLiteral("command%1").arg(IDM_RECALC));
    connect(recalc, &QAction::triggered, this, [this] { command(IDM_RECALC); });
    actions_[IDM_RECALC] = recalc;

    QMenu* params = bar->addMenu(QStringLiteral("&Params"));
    addCommand(params, QStringLiteral("&LOS"), IDM_LOS);
    addCommand(params, QStringLiteral("&Diffraction"), IDM_DIFFRACTION);

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    QMenu* font = options->addMenu(QStringLiteral("&Font"));
    addCommand(font, QStringLiteral("Graphics area font"), IDM_FONT_GRAPHICS);
    addCommand(font, QStringLiteral("Control/Status area font"), IDM_FONT_CONTROL);
    addCommand(font, QStringLiteral("Edit Boxes font"), IDM_FONT_EDIT);
    addCommand(options, QStringLiteral("Normal window size"), IDM_NORMAL_SIZE);

    QMenu* graphs = bar->addMenu(QStringLiteral("&Graphs"));
    addCommand(graphs, QStringLiteral("&Range"), IDM_GRAPH_RANGE);
    addCommand(graphs, QStringLiteral("&Obstruction Height"), IDM_GRAPH_HEIGHT);
    addCommand(graphs, QStringLiteral("Path &Profile"), IDM_GRAPH_PROFILE);
    addCommand(graphs, QStringLiteral("&Sweep..."), IDM_GRAPH_SWEEP);
    graphs->addSeparator();
    addCommand(graphs, QStringLiteral("Load &Terrain Profile..."), IDM_TERRAIN_PROFILE);
    addCommand(graphs, QStringLiteral("Terrain from Elevation &Data..."), IDM_TERRAIN_DEM);
    addCommand(graphs, QStringLiteral("&Clear Terrain"), IDM_TERRAIN_CLEAR);
    graphs->addSeparator();
    addCommand(graphs, QStringLiteral("&Export PDF Report..."), IDM_EXPORT_PDF);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    QAction* contents = addCommand(help, QStringLiteral("&Contents"), IDM_HELP_CONTENTS);
    help->addSeparator();
    addCommand(help, QStringLiteral("&About"), IDM_ABOUT);

    // The desktop's usual keys, shown beside the items and answered in every
    // window of the program that no modal dialog blocks. Ctrl+Q takes the
    // same path as "E&xit", so the inputs are saved once.
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    for (QAction* action : {exit, contents}) {
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
}

StatusPane* MainWindow::statusPane() const {
    return statusPane_.data();
}
DiagramPane* MainWindow::diagramPane() const {
    return diagramPane_.data();
}
HelpWindow* MainWindow::helpWindow() const {
    return helpWindow_.data();
}
TerrainNote* MainWindow::terrainNote() const {
    return terrainNote_.data();
}

QAction* MainWindow::commandAction(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::createPanes() {
    statusPane_ = new StatusPane(state_, client_);
    diagramPane_ = new DiagramPane(state_, client_);
    diagramPane_->setObjectName(QStringLiteral("diagramPane"));
    diagramPane_->setCommitHandler([this](QLineEdit* box) { commitEntry(box); });
    terrainNote_ = new TerrainNote(diagramPane_);
}

void MainWindow::command(int id) {
    switch (id) {
    case IDM_EXIT:
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        break;
    case IDM_ABOUT:
        RunAboutDialog(state_, this);
        break;
    case IDM_RECALC:
        state_.bFieldsRefreshed = false;
        postCommand(this, IDM_RECALC_ALL);
        break;
    case IDM_LOS:
        if (RunLosParamsDialog(state_, this) != 0) {
            state_.bFieldsRefreshed = false;
            postCommand(this, IDM_RECALC_ALL);
        }
        break;
    case IDM_DIFFRACTION:
        if (RunSingDiffParamsDialog(state_, this) != 0) {
            state_.bFieldsRefreshed = false;
            postCommand(this, IDM_RECALC_ALL);
        }
        break;
    case IDM_HELP_CONTENTS:
        showHelp();
        break;
    case IDM_TEXT_WINDOW:
        openOrActivateTextWindow(state_);
        break;
    case IDM_NORMAL_SIZE:
        state_.bNormalSize = true;
        postCommand(this, IDM_RELAYOUT);
        break;
    case IDM_FONT_GRAPHICS:
    case IDM_FONT_CONTROL:
    case IDM_FONT_EDIT:
        chooseFont(id);
        break;
    case IDM_GRAPH_RANGE:
    case IDM_GRAPH_HEIGHT:
    case IDM_GRAPH_PROFILE:
    case IDM_GRAPH_SWEEP:
        openPlotWindow(state_, static_cast<PlotTab>(id - IDM_GRAPH_RANGE));
        break;
    case IDM_EXPORT_PDF:
        exportPdfReport(state_, this);
        break;
    case IDM_TERRAIN_PROFILE:
        loadTerrainProfile(state_, this);
        break;
    case IDM_TERRAIN_DEM:
        openElevationDialog(state_, this);
        break;
    case IDM_TERRAIN_CLEAR:
        clearTerrain(state_);
        break;
    case IDM_RECALC_ALL:
        recalculateAll();
        break;
    case IDM_RELAYOUT:
        relayout();
        break;
    default:
        break; // any other identifier is ignored
    }
}

void MainWindow::commitEntry(QLineEdit* /*box*/) {
    // All fields, starting with the one last typed in (not necessarily the
    // one where Enter was pressed).
    if (diagramPane_) {
        diagramPane_->CommitAllFields(state_.hLastEdit.data());
    }
    state_.bFieldsRefreshed = false;
    postCommand(this, IDM_RECALC_ALL);
}

void MainWindow::recalculateAll() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string terrainTrouble = terrainAnalyser_->prepare();
    state_.results = recalculate(state_.params);
    QApplication::restoreOverrideCursor();
    showResults();

    if (!state_.bFieldsRefreshed) {
        if (diagramPane_) {
            diagramPane_->RefreshAllFields();
        }
        state_.bFieldsRefreshed = true;
    }
    if (state_.hLastEdit) {
        state_.hLastEdit->selectAll();
        state_.hLastEdit->setFocus();
    }
    // A terrain still being worked out refreshes the plots when it arrives.
    if (!terrainAnalyser_->pending()) {
        refreshPlotWindow(state_);
    }
    warnTerrain(terrainTrouble);
}

void MainWindow::takeTerrainAnalysis() {
    const bool refreshed = state_.bFieldsRefreshed;
    const std::string terrainTrouble = terrainAnalyser_->prepare();
    state_.results = recalculate(state_.params);
    showResults();
    if (diagramPane_) {
        diagramPane_->refreshTerrainFields();
    }
    state_.bFieldsRefreshed = refreshed; // a commit's own refresh still comes
    refreshPlotWindow(state_);
    warnTerrain(terrainTrouble);
}

void MainWindow::showResults() {
    repaintTextWindowNow(state_);
    if (statusPane_) {
        statusPane_->SetResultLines();
    }

    // The diffraction controls are usable exactly while diffraction is on.
    const bool diffract = state_.params.bDiffract != 0;
    if (statusPane_) {
        statusPane_->setHillTypeEnabled(diffract);
    }
    if (diagramPane_) {
        diagramPane_->setGeometryFieldsEnabled(diffract);
    }
    if (QAction* diffraction = commandAction(IDM_DIFFRACTION)) {
        diffraction->setEnabled(diffract);
    }
    followTerrain();
}

void MainWindow::warnTerrain(const std::string& trouble) {
    if (!trouble.empty() && state_.services != nullptr) {
        state_.services->showWarning(this, Warning{trouble, "Terrain", WarningIcon::Warning});
    }
}

void MainWindow::followTerrain() {
    // The derived inputs are the terrain's to set: their fields and the LOS
    // dialog wait until the terrain is cleared.
    const bool terrain = state_.terrain.inUse();
    if (diagramPane_) {
        if (QLineEdit* range = diagramPane_->field(FieldRange)) {
            range->setEnabled(!terrain);
        }
        for (int i : {FieldX12s, FieldX23s, FieldY01s, FieldY02s, FieldY03s}) {
            QLineEdit* box = diagramPane_->field(i);
            if (box != nullptr && terrain) {
                box->setEnabled(false);
            }
        }
    }
    if (QAction* los = commandAction(IDM_LOS)) {
        los->setEnabled(!terrain);
    }
    if (QAction* clear = commandAction(IDM_TERRAIN_CLEAR)) {
        clear->setEnabled(terrain);
    }
    if (terrainNote_) {
        terrainNote_->setNote(terrainNoteText(state_));
    }
}

int MainWindow::statusPaneHeight() const {
    if (!statusPane_) {
        return 0;
    }
    // The application's font, not the control font.
    const int h = QFontMetrics(QApplication::font()).height();
    return 2 * (statusFrameSize() + (3 * h) / 2);
}

void MainWindow::relayout() {
    if (isMinimized()) {
        return;
    }
    LayoutMainWindow(state_.bNormalSize);
    state_.bNormalSize = false;
    update();
}

void MainWindow::LayoutMainWindow(bool resizeToNormal) {
    const int s = statusPaneHeight();
    if (!diagramImage().isNull() && resizeToNormal) {
        // Size the window so that its client area is the diagram above the
        // status pane; the top-left corner stays where it is. The menu bar's
        // height can change with the width, so settle it in a few rounds.
        const QSize wanted(DiagramWidth, DiagramHeight + s);
        for (int round = 0; round < 3 && client_->size() != wanted; ++round) {
            const QSize extra = size() - client_->size();
            resize(wanted + extra);
            if (QLayout* frame = layout()) {
                frame->activate();
            }
        }
    }
    const QRect client = client_->rect();
    if (statusPane_) {
        statusPane_->setGeometry(0, client.bottom() + 1 - s, client.width(), s);
        statusPane_->layoutChildren();
    }
    if (diagramPane_) {
        diagramPane_->setGeometry(0, client.top(), client.width(), client.height() - s);
    }
    if (terrainNote_) {
        terrainNote_->place();
    }
}

void MainWindow::chooseFont(int id) {
    QWidget* owner = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : this;
    switch (id) {
    case IDM_FONT_GRAPHICS:
        ChooseAndSaveFont(state_, owner, state_.fonts.GraFont, "GraFont");
        state_.graphicsFont = fontFromLogFont(state_.fonts.GraFont);
        if (diagramPane_) {
            diagramPane_->update();
        }
        break;
    case IDM_FONT_CONTROL:
        ChooseAndSaveFont(state_, owner, state_.fonts.CtlFont, "CtlFont");
        state_.controlFont = fontFromLogFont(state_.fonts.CtlFont);
        if (statusPane_) {
            statusPane_->applyControlFont();
        }
        break;
    case IDM_FONT_EDIT:
        ChooseAndSaveFont(state_, owner, state_.fonts.lfEd, "lfEd");
        state_.editFont = fontFromLogFont(state_.fonts.lfEd);
        if (diagramPane_) {
            diagramPane_->applyEditFont();
        }
        break;
    default:
        return;
    }
    // Confirmed or not, the font is made anew and the window laid out again.
    postCommand(this, IDM_RELAYOUT);
    refreshPlotWindow(state_);
}

void MainWindow::showHelp() {
    const QStringList candidates = helpFileCandidates(QCoreApplication::applicationDirPath());
    const QString file = findHelpFile(candidates);
    if (file.isEmpty()) {
        if (state_.services != nullptr) {
            state_.services->showWarning(this,
                                         Warning{helpFileMissingText(candidates).toStdString(),
                                                 "Help", WarningIcon::Information});
        }
        return;
    }
    if (helpWindow_) {
        helpWindow_->close();
    }
    helpWindow_ = openHelpWindow(file);
}

bool MainWindow::saveParameters() {
    if (parametersSaved_ || state_.services == nullptr || !state_.saveOnExit) {
        parametersSaved_ = true;
        return true;
    }
    // A failed save is reported once.
    const std::string path = state_.settingsPath.toStdString();
    parametersSaved_ = saveSettingsUnlessLocked(
                           *state_.services, this, path,
                           [&](WarningSink& sink) {
                               SaveSettings(path, 0, parametersToSave(state_), nullptr, "", sink);
                           },
                           true) == LockedSave::Done;
    return parametersSaved_;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == CommandEvent::eventType()) {
        const int id = static_cast<CommandEvent*>(event)->commandId;
        if (id == UM_COMMIT_ENTRY) {
            commitEntry(state_.hLastEdit.data());
        } else {
            command(id);
        }
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closeTextWindow(state_);
    closePlotWindow(state_);
    if (helpWindow_) {
        helpWindow_->close();
    }
    if (!saveParameters()) {
        event->ignore(); // the user keeps the program, and the values, for now
        return;
    }
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    postCommand(this, IDM_RELAYOUT);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Restored from minimised: lay out again.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        postCommand(this, IDM_RELAYOUT);
    }
}

} // namespace tarsel
