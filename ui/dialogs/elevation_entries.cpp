#include "ui/dialogs/elevation_entries.h"

#include "dem/dem_error.h"
#include "dem/geodesic_path.h"
#include "entry/number_parse.h"
#include "ui/plots/terrain_panel.h"
#include "ui/plots/terrain_profile.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace tarsel {

namespace {

QString& whyOf(ElevationCheck& check, ElevationField field) {
    return check.why[static_cast<std::size_t>(field)];
}

// A height above the ground [m], 0 or more.
bool readHeight(const QString& text, double& value) {
    const std::optional<double> v = parseDoubleText(text.trimmed().toStdString());
    if (!v || !std::isfinite(*v) || *v < 0.0) {
        return false;
    }
    value = *v;
    return true;
}

QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

void checkRasters(const QStringList& rasters, ElevationCheck& check) {
    check.source.rasterPaths.clear();
    for (const QString& path : rasters) {
        const bool missing = !QFileInfo::exists(path);
        check.rasterMissing.push_back(missing);
        if (missing && whyOf(check, ElevationField::Rasters).isEmpty()) {
            whyOf(check, ElevationField::Rasters) =
                QStringLiteral("%1: no such file or folder.").arg(path);
        }
        check.source.rasterPaths.push_back(
            QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toStdString());
    }
    if (rasters.isEmpty()) {
        whyOf(check, ElevationField::Rasters) =
            QStringLiteral("Add the elevation data: raster files or a folder of them.");
    }
}

void checkSites(const ElevationEntries& entries, ElevationCheck& check) {
    const QString expected =
        QStringLiteral("%1: give latitude,longitude in degrees (latitude -90 to 90, longitude "
                       "-180 to 180, north and east positive), such as 47.4,8.55.");
    const bool tx = parseGeoSite(entries.tx.trimmed().toStdString(), check.source.tx);
    const bool rx = parseGeoSite(entries.rx.trimmed().toStdString(), check.source.rx);
    if (!tx) {
        whyOf(check, ElevationField::Tx) = expected.arg(QStringLiteral("Tx site"));
    }
    if (!rx) {
        whyOf(check, ElevationField::Rx) = expected.arg(QStringLiteral("Rx site"));
    }
    if (!tx || !rx) {
        check.preview = QStringLiteral("The path's length and bearing show once both sites "
                                       "are given.");
        return;
    }
    try {
        const dem::GeodesicPath path({check.source.tx.latitude, check.source.tx.longitude},
                                     {check.source.rx.latitude, check.source.rx.longitude});
        check.preview =
            QStringLiteral("Path %1 km long, bearing %2\u00b0 from north at the Tx "
                           "site (WGS84 geodesic)")
                .arg(path.lengthM() / 1000.0, 0, 'f', 3)
                .arg(path.bearingDeg() < 0.0 ? path.bearingDeg() + 360.0 : path.bearingDeg(), 0,
                     'f', 1);
        const double spacing = check.source.spacingM;
        if (spacing > 0.0 && std::ceil(path.lengthM() / spacing) + 1.0 >
                                 static_cast<double>(terrain::MaxProfilePoints)) {
            whyOf(check, ElevationField::Spacing) =
                QStringLiteral("Spacing: %1 m needs more than %2 points over this path; give "
                               "at least %3 m.")
                    .arg(numberText(spacing))
                    .arg(terrain::MaxProfilePoints)
                    .arg(std::ceil(path.lengthM() / (terrain::MaxProfilePoints - 1) * 1000.0) /
                         1000.0);
        }
    } catch (const dem::DemError&) {
        whyOf(check, ElevationField::Rx) =
            QStringLiteral("Rx site: the two sites are the same point.");
        check.preview.clear();
    }
}

} // namespace

QString ElevationCheck::problem() const {
    for (const QString& reason : why) {
        if (!reason.isEmpty()) {
            return reason;
        }
    }
    return {};
}

ElevationCheck checkElevationEntries(const ElevationEntries& entries, const TerrainSource& base) {
    ElevationCheck check;
    check.source = base;
    check.source.kind = TerrainKind::ElevationData;
    check.source.fillVoids = entries.fillVoids;
    checkRasters(entries.rasters, check);
    if (!readHeight(entries.txHeight, check.source.txHeightM)) {
        whyOf(check, ElevationField::TxHeight) =
            QStringLiteral("Tx antenna height: give metres above the ground, 0 or more.");
    }
    if (!readHeight(entries.rxHeight, check.source.rxHeightM)) {
        whyOf(check, ElevationField::RxHeight) =
            QStringLiteral("Rx antenna height: give metres above the ground, 0 or more.");
    }
    if (const std::optional<double> k = parseKFactor(entries.kFactor)) {
        check.source.kFactor = *k;
    } else {
        whyOf(check, ElevationField::KFactor) =
            QStringLiteral("k-factor: give a positive number, a fraction such as 4/3, or inf.");
    }
    check.source.spacingM = 0.0;
    if (!entries.spacing.trimmed().isEmpty()) {
        const std::optional<double> s = parseDoubleText(entries.spacing.trimmed().toStdString());
        if (!s || !std::isfinite(*s) || *s < 0.0) {
            whyOf(check, ElevationField::Spacing) =
                QStringLiteral("Spacing: give metres above 0, or leave it empty (or 0) for the "
                               "data's own.");
        } else {
            check.source.spacingM = *s;
        }
    }
    checkSites(entries, check);
    return check;
}

ElevationEntries elevationEntriesOf(const TerrainSource& source) {
    ElevationEntries entries;
    for (const std::string& path : source.rasterPaths) {
        entries.rasters << QString::fromStdString(path);
    }
    // Sites still at their defaults with no data named were never given.
    const bool sitesGiven =
        !source.rasterPaths.empty() || !(source.tx == GeoSite{}) || !(source.rx == GeoSite{});
    if (sitesGiven) {
        entries.tx = QString::fromStdString(formatGeoSite(source.tx));
        entries.rx = QString::fromStdString(formatGeoSite(source.rx));
    }
    entries.txHeight = numberText(source.txHeightM);
    entries.rxHeight = numberText(source.rxHeightM);
    entries.kFactor = kFactorText(source.kFactor);
    entries.spacing = source.spacingM > 0.0 ? numberText(source.spacingM) : QString();
    entries.fillVoids = source.fillVoids;
    return entries;
}

} // namespace tarsel
