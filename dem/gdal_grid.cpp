#include "dem/gdal_grid.h"

#include "dem/dem_error.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <limits>
#include <mutex>

namespace tarsel::dem {

namespace {

// GDAL's messages go into ours instead of to standard error.
class QuietGdal {
public:
    QuietGdal() {
        static std::once_flag registered;
        std::call_once(registered, [] { GDALAllRegister(); });
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietGdal() { CPLPopErrorHandler(); }
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;
};

std::string gdalMessage() {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? std::string(": ") + message : std::string();
}

struct SrsDeleter {
    void operator()(OGRSpatialReferenceH srs) const { OSRDestroySpatialReference(srs); }
};
using Srs = std::unique_ptr<std::remove_pointer_t<OGRSpatialReferenceH>, SrsDeleter>;

struct DatasetDeleter {
    void operator()(GDALDatasetH dataset) const {
        const QuietGdal quiet; // closing may warn too
        GDALClose(dataset);
    }
};
using Dataset = std::unique_ptr<std::remove_pointer_t<GDALDatasetH>, DatasetDeleter>;

struct TransformDeleter {
    void operator()(OGRCoordinateTransformationH t) const { OCTDestroyCoordinateTransformation(t); }
};
using Transform =
    std::unique_ptr<std::remove_pointer_t<OGRCoordinateTransformationH>, TransformDeleter>;

Srs wgs84() {
    Srs srs(OSRNewSpatialReference(nullptr));
    OSRSetWellKnownGeogCS(srs.get(), "WGS84");
    OSRSetAxisMappingStrategy(srs.get(), OAMS_TRADITIONAL_GIS_ORDER); // longitude first
    return srs;
}

// Every corner of the raster within geographic bounds (a raster that names
// no coordinate system is taken as geographic WGS84 only then).
bool fitsGeographic(const std::array<double, 6>& t, int cols, int rows) {
    for (const double px : {0.0, static_cast<double>(cols)}) {
        for (const double py : {0.0, static_cast<double>(rows)}) {
            const double lon = t[0] + px * t[1] + py * t[2];
            const double lat = t[3] + px * t[4] + py * t[5];
            if (!(std::abs(lon) <= 181.0 && std::abs(lat) <= 91.0)) {
                return false;
            }
        }
    }
    return true;
}

class GdalGrid final : public ElevationGrid {
public:
    GdalGrid(const std::string& name, Dataset dataset, const Geotransform& transform,
             Transform toGrid, std::string frame)
        : ElevationGrid(name, GDALGetRasterXSize(dataset.get()), GDALGetRasterYSize(dataset.get()),
                        transform, std::nullopt),
          dataset_(std::move(dataset)), band_(GDALGetRasterBand(dataset_.get(), 1)),
          toGrid_(std::move(toGrid)), frame_(std::move(frame)) {
        int has = 0;
        const double noData = GDALGetRasterNoDataValue(band_, &has);
        if (has) {
            rawNoData_ = static_cast<float>(noData);
        }
        scale_ = GDALGetRasterScale(band_, &has);
        offset_ = GDALGetRasterOffset(band_, &has);
    }

    const std::string& frame() const override { return frame_; }

    void readWindow(int col0, int row0, int cols, int rows, float* out) override {
        const QuietGdal quiet;
        if (GDALRasterIO(band_, GF_Read, col0, row0, cols, rows, out, cols, rows, GDT_Float32, 0,
                         0) != CE_None) {
            throw DemError(name() + ": cannot read its heights" + gdalMessage());
        }
        const std::size_t n = static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
        for (std::size_t i = 0; i < n; ++i) {
            // Voids become NaN here: before the scale, as the no-data value is stored.
            out[i] = rawNoData_ && out[i] == *rawNoData_
                         ? std::numeric_limits<float>::quiet_NaN()
                         : static_cast<float>(out[i] * scale_ + offset_);
        }
    }

protected:
    bool toGridCoordinates(const GeoPoint& point, double& x, double& y) const override {
        x = point.lonDeg;
        y = point.latDeg;
        if (!toGrid_) {
            return true;
        }
        const QuietGdal quiet;
        return OCTTransform(toGrid_.get(), 1, &x, &y, nullptr) != 0;
    }

private:
    Dataset dataset_;
    GDALRasterBandH band_;
    Transform toGrid_;
    std::string frame_;
    std::optional<float> rawNoData_; // as stored, before scale and offset
    double scale_ = 1.0;
    double offset_ = 0.0;
};

} // namespace

std::unique_ptr<ElevationGrid> openGdalGrid(const std::string& path, const std::string& displayName,
                                            OpenMode mode, char** siblings) {
    const QuietGdal quiet;
    const bool required = mode == OpenMode::Required;
    if (!required && GDALIdentifyDriver(path.c_str(), siblings) == nullptr) {
        return nullptr;
    }
    Dataset dataset(
        GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, siblings));
    if (!dataset || GDALGetRasterCount(dataset.get()) < 1) {
        if (!required) {
            return nullptr;
        }
        throw DemError(displayName + ": not a raster GDAL can read" + gdalMessage());
    }
    std::array<double, 6> t{};
    if (GDALGetGeoTransform(dataset.get(), t.data()) != CE_None) {
        if (!required) {
            return nullptr;
        }
        throw DemError(displayName + ": has no geotransform, so no place on the earth");
    }
    const int cols = GDALGetRasterXSize(dataset.get());
    const int rows = GDALGetRasterYSize(dataset.get());

    Transform toGrid;
    std::string frame;
    const OGRSpatialReferenceH own = GDALGetSpatialRef(dataset.get());
    if (own == nullptr) {
        if (!fitsGeographic(t, cols, rows)) {
            throw DemError(displayName + ": names no coordinate system and its extent is not "
                                         "in degrees");
        }
    } else {
        Srs srs(OSRClone(own));
        OSRSetAxisMappingStrategy(srs.get(), OAMS_TRADITIONAL_GIS_ORDER);
        const Srs geographic = wgs84();
        if (!(OSRIsGeographic(srs.get()) && OSRIsSame(srs.get(), geographic.get()))) {
            toGrid.reset(OCTNewCoordinateTransformation(geographic.get(), srs.get()));
            if (!toGrid) {
                throw DemError(displayName +
                               ": its coordinate system cannot be reached from "
                               "WGS84" +
                               gdalMessage());
            }
            char* wkt = nullptr;
            OSRExportToWkt(srs.get(), &wkt);
            frame = wkt != nullptr ? wkt : "?";
            CPLFree(wkt);
        }
    }
    try {
        return std::make_unique<GdalGrid>(displayName, std::move(dataset), Geotransform(t),
                                          std::move(toGrid), std::move(frame));
    } catch (const DemError& e) {
        const std::string what = e.what();
        throw DemError(what.rfind(displayName, 0) == 0 ? what : displayName + ": " + what);
    }
}

} // namespace tarsel::dem
