#include "ui/main/application.h"

#include "settings/settings.h"
#include "ui/common/app_state.h"
#include "ui/common/fonts.h"
#include "ui/common/program_icon.h"
#include "ui/common/ui_services.h"
#include "ui/common/write_file.h"
#include "ui/main/diagram_image.h"
#include "ui/main/diagram_pane.h"
#include "ui/main/elevation_terrain.h"
#include "ui/main/main_window.h"
#include "ui/main/status_pane.h"
#include "ui/main/terrain_commands.h"
#include "ui/text/text_window.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <vector>

namespace tarsel {

namespace {

class CollectedWarnings : public WarningSink {
public:
    explicit CollectedWarnings(std::vector<Warning>& list) : list_(list) {}
    void warn(const Warning& warning) override { list_.push_back(warning); }

private:
    std::vector<Warning>& list_;
};

} // namespace

LogFont measuringFontRecord(int charHeight, int averageCharWidth) {
    LogFont record; // the other fields as a record starts: weight 400, the rest 0
    record.lfHeight = charHeight;
    record.lfWidth = averageCharWidth;
    record.lfPitchAndFamily = 1; // fixed pitch
    setFaceName(record, "System");
    return record;
}

std::unique_ptr<MainWindow> startTarsel(AppState& state) {
    initTarselResources();
    startDiagramRendering(); // while the window is built
    protectSettingsFile(state.settingsPath);

    // The window queues the first recalculation as it is made.
    auto window = std::make_unique<MainWindow>(state);
    window->createPanes();

    // The measuring font from the window's own font.
    const QFontMetrics windowMetrics(window->font());
    const LogFont measuring =
        measuringFontRecord(windowMetrics.height(), windowMetrics.averageCharWidth());

    // The entry fields start in the system's general font; the settings file
    // may override any of its keys.
    state.fonts.lfEd = logFontFromFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));

    // The load's warnings wait until the whole file is read: a warning box
    // runs the queued recalculation, which must see the stored values, not
    // the defaults of the keys still unread.
    std::vector<Warning> loadWarnings;
    if (state.services != nullptr) {
        CollectedWarnings collected(loadWarnings);
        LoadSettings(state.settingsPath.toStdString(), state.params, state.fonts, collected);
        const std::size_t parameterWarnings = loadWarnings.size();
        restoreTerrain(state, collected);
        // A refused stored value names the file, the section and the key to fix
        // under the text.
        for (std::size_t i = 0; i < loadWarnings.size(); ++i) {
            Warning& warning = loadWarnings[i];
            if (!warning.key.empty()) {
                warning.detail = state.settingsPath.toStdString() + ", [" +
                                 (i < parameterWarnings ? ShortName : TerrainSection) + "] " +
                                 warning.key;
            }
        }
    }

    state.measuringFont = fontFromLogFont(measuring);
    state.graphicsFont = fontFromLogFont(state.fonts.GraFont);
    state.controlFont = fontFromLogFont(state.fonts.CtlFont);
    state.textFont = fontFromLogFont(state.fonts.TextFont, QStringLiteral("monospace"));
    state.editFont = fontFromLogFont(state.fonts.lfEd);

    // The report writer's first metrics come from the measuring font.
    const QFontMetrics measuringMetrics(state.measuringFont);
    state.report.view.charWidth = measuringMetrics.averageCharWidth();
    state.report.view.lineHeight = measuringMetrics.height();
    state.report.view.lineStep = measuringMetrics.height() + measuringMetrics.leading();
    state.report.cursor = ReportCursor{};

    if (StatusPane* status = window->statusPane()) {
        status->applyControlFont();
    }
    if (DiagramPane* diagram = window->diagramPane()) {
        diagram->applyEditFont();
    }
    initTextWindowState(state);

    if (state.services != nullptr) {
        BoxWarningSink boxes(*state.services, window.get());
        for (const Warning& warning : loadWarnings) {
            boxes.warn(warning);
        }
    }
    window->show();
    loadKeptElevationTerrain(state);
    return window;
}

} // namespace tarsel
