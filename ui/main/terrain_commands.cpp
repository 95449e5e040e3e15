#include "ui/main/terrain_commands.h"

#include "settings/profile_file.h"
#include "terrain/profile_csv.h"
#include "terrain/report_section.h"
#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/ui_services.h"

#include <QDir>
#include <QFileInfo>

namespace tarsel {

namespace {

constexpr const char* WarningTitle = "Terrain";

terrain::DistanceUnit distanceUnit(const std::string& name) {
    if (name == "km") {
        return terrain::DistanceUnit::Kilometres;
    }
    return name == "m" ? terrain::DistanceUnit::Metres : terrain::DistanceUnit::FromHeader;
}

void warnNow(AppState& state, QWidget* owner, const std::string& text) {
    if (state.services != nullptr) {
        state.services->showWarning(owner, Warning{text, WarningTitle, WarningIcon::Warning});
    }
}

void recalculateAll(AppState& state) {
    state.bFieldsRefreshed = false;
    postCommand(state.mainWindow.data(), IDM_RECALC_ALL);
}

} // namespace

void putTerrainAside(AppState& state) {
    if (state.terrain.inUse()) {
        state.terrain.userGeometry.applyTo(state.params);
    }
    state.terrain.profile.reset();
    state.terrain.name.clear();
    state.terrain.analysis = {};
    state.terrain.analysedKey = {};
    state.terrain.reportSection.clear();
    state.terrain.source.kind = TerrainKind::None;
}

std::string terrainPutAsideText(const std::string& error) {
    return "The terrain was put aside; the single hill is used instead.\n" + error;
}

std::string readSourceProfile(const TerrainSource& source, terrain::Profile& profile) {
    if (source.kind != TerrainKind::ProfileFile) {
        return "Elevation data cannot be read by this build.";
    }
    terrain::ProfileReadResult read =
        terrain::readProfileCsv(source.profilePath, distanceUnit(source.distanceUnit));
    if (!read.ok) {
        return read.error.text();
    }
    profile = std::move(read.profile);
    return {};
}

std::string useTerrain(AppState& state, const TerrainSource& source, terrain::Profile profile,
                       const QString& name, bool keepInFile) {
    terrain::PathAnalysis analysis;
    if (std::string error =
            terrain::analysePath(profile, pathSetup(source), state.params, analysis);
        !error.empty()) {
        return error;
    }
    if (!state.terrain.inUse()) {
        state.terrain.userGeometry = HillGeometry::of(state.params);
    }
    state.terrain.source = source;
    state.terrain.profile = std::make_shared<const terrain::Profile>(std::move(profile));
    state.terrain.name = name;
    state.terrain.analysis = std::move(analysis);
    state.terrain.analysedKey = analysisKeyOf(state);
    delete state.terrain.restoring.data();
    if (keepInFile) {
        saveTerrainSourceOf(state);
    }
    recalculateAll(state);
    return {};
}

void loadTerrainProfile(AppState& state, QWidget* owner) {
    if (state.services == nullptr) {
        return;
    }
    TerrainSource source = state.terrain.source;
    const QString folder = source.profilePath.empty()
                               ? QString()
                               : QFileInfo(QString::fromStdString(source.profilePath)).path();
    const QString path = state.services->getOpenFileName(
        owner, QStringLiteral("Load Terrain Profile"),
        {QStringLiteral("Terrain profiles (*.csv *.txt)"), QStringLiteral("All files (*)")},
        folder);
    if (path.isEmpty()) {
        return;
    }
    if (!state.terrain.inUse()) {
        // A first terrain keeps the antennas as high above the ground as the
        // hill had them above its baseline.
        source.txHeightM = state.params.y01s.value;
        source.rxHeightM = state.params.y03s.value;
    }
    source.kind = TerrainKind::ProfileFile;
    source.profilePath = path.toStdString();
    source.distanceUnit.clear();

    terrain::Profile profile;
    std::string error = readSourceProfile(source, profile);
    if (error.empty()) {
        error = useTerrain(state, source, std::move(profile), QFileInfo(path).fileName());
    }
    if (!error.empty()) {
        warnNow(state, owner, "The terrain profile was not loaded:\n" + error);
    }
}

void clearTerrain(AppState& state) {
    if (!state.terrain.inUse()) {
        return;
    }
    putTerrainAside(state);
    saveTerrainSourceOf(state);
    recalculateAll(state);
}

void restoreTerrain(AppState& state, WarningSink& warnings) {
    std::string error;
    const ProfileFile file = ProfileFile::read(state.settingsPath.toStdString(), &error);
    if (!error.empty()) {
        return; // the parameters' load has said so
    }
    const TerrainSource source = loadTerrainSource(file, warnings);
    state.terrain.source = source;
    if (source.kind == TerrainKind::None || source.kind == TerrainKind::ElevationData) {
        return;
    }
    terrain::Profile profile;
    error = readSourceProfile(source, profile);
    if (error.empty()) {
        const std::string path = source.profilePath;
        terrain::PathAnalysis analysis;
        error = terrain::analysePath(profile, pathSetup(source), state.params, analysis);
        if (error.empty()) {
            state.terrain.userGeometry = HillGeometry::of(state.params);
            state.terrain.profile = std::make_shared<const terrain::Profile>(std::move(profile));
            state.terrain.name = QFileInfo(QString::fromStdString(path)).fileName();
            state.terrain.analysis = std::move(analysis);
            state.terrain.analysedKey = analysisKeyOf(state);
            return;
        }
    }
    state.terrain.source.kind = TerrainKind::None;
    warnings.warn(keptTerrainWarning(error));
}

Warning keptTerrainWarning(const std::string& why) {
    return Warning{"The terrain kept in the settings file cannot be used; the single hill is "
                   "used instead.\n" +
                       why,
                   WarningTitle, WarningIcon::Warning, "Source"};
}

LinkParams parametersToSave(const AppState& state) {
    LinkParams params = state.params;
    if (state.terrain.inUse()) {
        state.terrain.userGeometry.applyTo(params);
    }
    return params;
}

QString terrainNoteText(const AppState& state) {
    if (state.terrain.restoring) {
        return QStringLiteral("Loading the terrain from the elevation data %1...")
            .arg(elevationName(state.terrain.source));
    }
    if (!state.terrain.inUse()) {
        return {};
    }
    return (state.terrain.source.kind == TerrainKind::ElevationData
                ? QStringLiteral("Hill and distances from the elevation data %1")
                : QStringLiteral("Hill and distances from the terrain %1"))
        .arg(state.terrain.name);
}

QString elevationName(const TerrainSource& source, const QString& notes) {
    if (source.rasterPaths.empty()) {
        return {};
    }
    const QString first =
        QFileInfo(QDir::cleanPath(QString::fromStdString(source.rasterPaths.front()))).fileName();
    const auto more = static_cast<qsizetype>(source.rasterPaths.size()) - 1;
    const QString name = more == 0 ? first : QStringLiteral("%1 and %2 more").arg(first).arg(more);
    return notes.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, notes.simplified());
}

} // namespace tarsel
