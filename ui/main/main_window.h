#pragma once
// The main window "Movrane": its menu, the client area holding the diagram
// pane above the status pane, and the commands through which every change is
// recalculated and every layout redone.

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>

class QAction;
class QLineEdit;

namespace tarsel {

struct AppState;
class DiagramPane;
class HelpWindow;
class StatusPane;
class TerrainAnalyser;
class TerrainNote;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window and its menu, clears the entry state and queues the
    // first recalculation. The panes come with createPanes().
    explicit MainWindow(AppState& state);
    ~MainWindow() override;

    // The status pane (with its lines and buttons) and the diagram pane.
    void createPanes();

    StatusPane* statusPane() const;
    DiagramPane* diagramPane() const;
    // The area under the menu bar that the two panes share.
    QWidget* clientArea() const { return client_; }
    // The menu item of a command id, or nullptr.
    QAction* commandAction(int id) const;
    HelpWindow* helpWindow() const;
    // The note naming the terrain the geometry comes from (hidden without one).
    TerrainNote* terrainNote() const;
    // Works the terrain's path through in the background.
    TerrainAnalyser* terrainAnalyser() const { return terrainAnalyser_; }

    // A menu command or a posted command (IDM_RECALC_ALL, IDM_RELAYOUT).
    void command(int id);
    // Enter in an entry field: commit all fields, the last edited first, then
    // queue a recalculation. Synchronous.
    void commitEntry(QLineEdit* box);
    // Height of the status pane: two lines of the application font with frames.
    int statusPaneHeight() const;
    // Sizes the window to its normal size when asked, then places the panes.
    void LayoutMainWindow(bool resizeToNormal);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    QAction* addCommand(class QMenu* menu, const QString& text, int id);
    void recalculateAll();
    // A terrain analysis arrived: the link over it recalculated and shown,
    // the fields it derives refreshed; what is being typed elsewhere stays.
    void takeTerrainAnalysis();
    // The results shown in the text window, the status pane and the controls.
    void showResults();
    void warnTerrain(const std::string& trouble);
    void relayout();
    void chooseFont(int id);
    void showHelp();
    // Saves the parameters once; false while another process holds the file
    // and the user chose to keep the program open.
    bool saveParameters();
    void followTerrain();

    AppState& state_;
    QWidget* client_ = nullptr;
    QPointer<StatusPane> statusPane_;
    QPointer<DiagramPane> diagramPane_;
    QPointer<HelpWindow> helpWindow_;
    QPointer<TerrainNote> terrainNote_;
    TerrainAnalyser* terrainAnalyser_ = nullptr;
    std::map<int, QAction*> actions_;
    bool parametersSaved_ = false;
};

} // namespace tarsel
