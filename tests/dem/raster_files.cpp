#include "raster_files.h"

#include <cpl_vsi.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace demtest {

void writeGeoTiff(const std::string& path, const RasterSpec& spec, const PostHeights& heights) {
    GDALAllRegister();
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    const char* options[] = {"TILED=YES", "BLOCKXSIZE=64", "BLOCKYSIZE=64", nullptr};
    GDALDatasetH ds = GDALCreate(driver, path.c_str(), spec.cols, spec.rows, 1, GDT_Float32,
                                 const_cast<char**>(options));
    if (ds == nullptr) {
        throw std::runtime_error("cannot create " + path);
    }
    std::array<double, 6> t = spec.geotransform;
    GDALSetGeoTransform(ds, t.data());
    if (!spec.srs.empty()) {
        OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
        OSRSetFromUserInput(srs, spec.srs.c_str());
        GDALSetSpatialRef(ds, srs);
        OSRDestroySpatialReference(srs);
    }
    GDALRasterBandH band = GDALGetRasterBand(ds, 1);
    if (spec.noData) {
        GDALSetRasterNoDataValue(band, *spec.noData);
    }
    std::vector<float> row(static_cast<std::size_t>(spec.cols));
    for (int r = 0; r < spec.rows; ++r) {
        for (int c = 0; c < spec.cols; ++c) {
            row[static_cast<std::size_t>(c)] = static_cast<float>(heights(c, r));
        }
        if (GDALRasterIO(band, GF_Write, 0, r, spec.cols, 1, row.data(), spec.cols, 1, GDT_Float32,
                         0, 0) != CE_None) {
            throw std::runtime_error("cannot write " + path);
        }
    }
    GDALClose(ds);
}

void writeHgt(const std::string& path, int size, const PostHeights& heights) {
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(size) * size * 2);
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(heights(c, r)));
            bytes.push_back(static_cast<unsigned char>(v >> 8)); // big-endian
            bytes.push_back(static_cast<unsigned char>(v & 0xff));
        }
    }
    VSILFILE* file = VSIFOpenL(path.c_str(), "wb");
    if (file == nullptr || VSIFWriteL(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        throw std::runtime_error("cannot write " + path);
    }
    VSIFCloseL(file);
}

std::string tempFolder() {
    static const std::filesystem::path root = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarsel-dem-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        std::atexit([] { std::filesystem::remove_all(root); });
        return std::filesystem::path(pattern);
    }();
    static int next = 0;
    const std::filesystem::path folder = root / std::to_string(next++);
    std::filesystem::create_directories(folder);
    return folder.string();
}

} // namespace demtest
