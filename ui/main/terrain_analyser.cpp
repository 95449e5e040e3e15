#include "ui/main/terrain_analyser.h"

#include "terrain/report_section.h"
#include "ui/common/app_state.h"
#include "ui/main/terrain_commands.h"

#include <QtConcurrent/QtConcurrentRun>

namespace tarsel {

TerrainAnalyser::TerrainAnalyser(AppState& state, QObject* parent)
    : QObject(parent), state_(state) {}

TerrainAnalyser::~TerrainAnalyser() {
    if (watcher_ != nullptr) {
        watcher_->waitForFinished();
    }
}

bool TerrainAnalyser::pending() const {
    return state_.terrain.inUse() && !(state_.terrain.analysedKey == analysisKeyOf(state_));
}

std::string TerrainAnalyser::prepare() {
    if (!trouble_.empty()) {
        return std::exchange(trouble_, {});
    }
    TerrainState& terrain = state_.terrain;
    if (!terrain.inUse()) {
        return {};
    }
    const TerrainAnalysisKey key = analysisKeyOf(state_);
    if (!(terrain.analysedKey == key)) {
        // The last hill stays meanwhile; one analysis runs at a time.
        if (watcher_ == nullptr) {
            start(key);
        }
        return {};
    }
    if (std::string error = terrain::relinkPath(*terrain.profile, state_.params, terrain.analysis);
        !error.empty()) {
        putTerrainAside(state_);
        state_.bFieldsRefreshed = false;
        return terrainPutAsideText(error);
    }
    if (!HillGeometry::of(terrain.analysis.params).sameValues(HillGeometry::of(state_.params))) {
        state_.bFieldsRefreshed = false;
    }
    state_.params = terrain.analysis.params;
    terrain.reportSection = terrain::terrainReportSection(*terrain.profile, terrain.analysis);
    return {};
}

void TerrainAnalyser::start(const TerrainAnalysisKey& key) {
    runningKey_ = key;
    watcher_ = new QFutureWatcher<Outcome>(this);
    connect(watcher_, &QFutureWatcher<Outcome>::finished, this, &TerrainAnalyser::arrive);
    watcher_->setFuture(
        QtConcurrent::run([profile = state_.terrain.profile,
                           setup = pathSetup(state_.terrain.source), params = state_.params] {
            Outcome outcome;
            outcome.error = terrain::analysePath(*profile, setup, params, outcome.analysis);
            return outcome;
        }));
}

void TerrainAnalyser::arrive() {
    Outcome outcome = watcher_->future().takeResult();
    watcher_->deleteLater();
    watcher_ = nullptr;
    if (!state_.terrain.inUse()) {
        return;
    }
    const TerrainAnalysisKey key = analysisKeyOf(state_);
    if (!(runningKey_ == key)) {
        // Worked out for inputs that have changed since: dropped, and the
        // newest worked out unless already known (a terrain loaded meanwhile).
        if (!(state_.terrain.analysedKey == key)) {
            start(key);
        }
        return;
    }
    if (!outcome.error.empty()) {
        putTerrainAside(state_);
        trouble_ = terrainPutAsideText(outcome.error);
    } else {
        state_.terrain.analysis = std::move(outcome.analysis);
        state_.terrain.analysedKey = key;
    }
    emit arrived();
}

} // namespace tarsel
