#pragma once
// The entries of the elevation-data dialog read and checked, without the
// widgets: each bad one with the reason, the source they make, and the
// preview of the path (its WGS84 geodesic length and bearing).

#include "settings/terrain_settings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace tarsel {

enum class ElevationField { Rasters, Tx, Rx, TxHeight, RxHeight, KFactor, Spacing, Count };

struct ElevationEntries {
    QStringList rasters; // files or folders
    QString tx, rx;      // "lat,lon"
    QString txHeight, rxHeight, kFactor, spacing;
    bool fillVoids = false;
};

struct ElevationCheck {
    TerrainSource source; // what the good entries say, kind ElevationData
    std::array<QString, static_cast<std::size_t>(ElevationField::Count)> why; // "" when good
    std::vector<bool> rasterMissing;                                          // one per raster path
    QString preview; // "Path 22.239 km, bearing 0.0° ..." or what it waits for

    const QString& whyOf(ElevationField field) const {
        return why[static_cast<std::size_t>(field)];
    }
    // The first field's reason, in the dialog's order; "" when all are good.
    QString problem() const;
};

// Reads and checks the entries; the parts of base they do not set (method,
// polarisation, share of sea) are kept.
ElevationCheck checkElevationEntries(const ElevationEntries& entries, const TerrainSource& base);

// The entries that show source.
ElevationEntries elevationEntriesOf(const TerrainSource& source);

} // namespace tarsel
