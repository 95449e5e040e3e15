#pragma once
// The plot window: one tab per plot (Range, Obstruction height, Path profile,
// Sweep), following the main window's data. Every recalculation refreshes the
// open tab; the computation runs in the background and the newest request
// wins. At most one exists; state.plotWindow is empty while closed.

#include "ui/common/ui_services.h"
#include "ui/plots/plot_data.h"
#include "ui/plots/plot_settings.h"
#include "ui/plots/terrain_profile.h"

#include <QFutureWatcher>
#include <QMainWindow>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QTabWidget;

namespace tarsel {

struct AppState;
class PlotView;
class SweepControls;
class TerrainPanel;

enum class PlotTab : int { Range = 0, Height = 1, Profile = 2, Sweep = 3 };
inline constexpr int PlotTabCount = 4;

class PlotWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PlotWindow(AppState& state);
    ~PlotWindow() override;

    void showTab(PlotTab tab);
    PlotTab currentTab() const;
    // Recomputes the open tab from the state's parameters, in the background.
    void refresh();
    // True while a computation is running.
    bool busy() const;
    // Number of refreshes whose result was drawn.
    int drawnCount() const { return drawn_; }

    PlotView* view(PlotTab tab) const;
    const PlotData& data(PlotTab tab) const;
    QTabWidget* tabs() const { return tabs_; }
    QLabel* readoutLabel() const { return readout_; }
    QLabel* noteLabel(PlotTab tab) const;
    const PlotSettings& settings() const { return settings_; }
    // Where the next save dialog starts (an export elsewhere chose it).
    void setFolder(const std::string& folder) { settings_.folder = folder; }
    // The k-factor and methods beside the path profile over a terrain.
    TerrainPanel* terrainPanel() const { return terrainPanel_; }

    // The buttons' actions on the open tab.
    void copyData();
    void saveImage();
    void saveData();
    void resetZoom();
    // The print dialog, then the open tab's plot as it shows, on one page.
    void print();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makePage(PlotTab tab, QWidget* controls);
    QWidget* rangeControls();
    QWidget* profileControls();
    void apply(PlotTab tab, PlotData data);
    void chooseKFactor(double k);
    void warn(const QString& text);
    // The save dialog in the last folder, proposing a name from the tab.
    SaveChoice askSaveFile(const QStringList& filters);
    // "Copy data" and "Save data": the open tab's CSV.
    bool sweptTab() const; // the open tab's plot comes from a sweep
    QByteArray dataCsv() const;

    AppState& state_;
    PlotSettings settings_;
    QTabWidget* tabs_ = nullptr;
    QLabel* readout_ = nullptr;
    std::array<PlotView*, PlotTabCount> views_{};
    std::array<QLabel*, PlotTabCount> notes_{};
    std::array<PlotData, PlotTabCount> data_{};
    SweepControls* sweep_ = nullptr;
    TerrainPanel* terrainPanel_ = nullptr;
    std::shared_ptr<SweepControl> control_; // of the newest computation
    std::vector<QFutureWatcher<PlotData>*> running_;
    int generation_ = 0;
    int drawn_ = 0;
};

// The menu's Graphs items: open the window (or bring it forward) on a tab.
void openPlotWindow(AppState& state, PlotTab tab);
// After a recalculation: refresh the open window's tab.
void refreshPlotWindow(AppState& state);
// Close the window if it is open.
void closePlotWindow(AppState& state);

// The computation behind a tab, synchronous; the path profile is drawn over
// the terrain when there is one.
PlotData computePlot(PlotTab tab, const LinkParams& params, const LinkResults& results,
                     const PlotSettings& settings, SweepControl& control,
                     const TerrainPlot& terrain = {});

} // namespace tarsel
