#pragma once
// The terrain's path worked through off the GUI thread. Each method's loss,
// the clearance and the main obstacle depend only on the profile, the path
// settings and the frequency: while those stay, a recalculation only moves
// the link over the path (the hill applied again, the link and the terrain
// margin recalculated), at once. When they change, the last analysis stays in
// use while the new one is worked out in the background; its arrival queues
// a recalculation. A result for inputs that changed meanwhile is dropped and
// the newest inputs are worked out instead; at most one runs at a time.

#include "terrain/path_analysis.h"
#include "ui/common/terrain_state.h"

#include <QFutureWatcher>
#include <QObject>
#include <string>

namespace tarsel {

struct AppState;

class TerrainAnalyser : public QObject {
    Q_OBJECT
public:
    TerrainAnalyser(AppState& state, QObject* parent);
    ~TerrainAnalyser() override;

    // Before a recalculation: with a terrain whose analysis is known for the
    // current inputs, puts the derived hill into the parameters (clearing
    // bFieldsRefreshed when it changes) and writes the report's Terrain
    // section; else starts its analysis. Returns "" or, once an analysis
    // could not be used, why the terrain was put aside for the user's hill.
    std::string prepare();

    // The analysis in use is not that of the current inputs (one is running).
    bool pending() const;
    // A background analysis is running.
    bool busy() const { return watcher_ != nullptr; }

signals:
    // An analysis for the current inputs arrived (or failed: prepare() says
    // why): the main window takes it without waiting for a commit.
    void arrived();

private:
    struct Outcome {
        terrain::PathAnalysis analysis;
        std::string error;
    };
    void start(const TerrainAnalysisKey& key);
    void arrive();

    AppState& state_;
    QFutureWatcher<Outcome>* watcher_ = nullptr;
    TerrainAnalysisKey runningKey_;
    std::string trouble_; // why the terrain was put aside, until said
};

} // namespace tarsel
