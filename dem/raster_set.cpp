#include "dem/raster_set.h"

#include "dem/dem_error.h"
#include "dem/gdal_grid.h"

#include <cpl_string.h>
#include <cpl_vsi.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tarsel::dem {

namespace {

namespace fs = std::filesystem;

using Grids = std::vector<std::unique_ptr<ElevationGrid>>;

// Adds a raster found in a folder or archive when it is one and is kept;
// true when it is one.
bool found(std::unique_ptr<ElevationGrid> grid, const GridFilter& keep, Grids& grids) {
    if (!grid) {
        return false;
    }
    if (!keep || keep(*grid)) {
        grids.push_back(std::move(grid));
    }
    return true;
}

bool isZip(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".zip";
}

// The rasters inside an archive, by name; how many were found.
std::size_t openArchive(const std::string& archive, const GridFilter& keep, Grids& grids) {
    const std::string root = "/vsizip/" + archive;
    std::vector<std::string> entries;
    if (char** list = VSIReadDirRecursive(root.c_str())) {
        for (char** entry = list; *entry != nullptr; ++entry) {
            entries.emplace_back(*entry);
        }
        CSLDestroy(list);
    }
    std::sort(entries.begin(), entries.end());
    std::size_t rasters = 0;
    for (const std::string& entry : entries) {
        rasters +=
            found(openGdalGrid(root + "/" + entry, archive + "/" + entry, OpenMode::IfRaster), keep,
                  grids);
    }
    return rasters;
}

std::size_t openFolder(const fs::path& folder, const GridFilter& keep, Grids& grids) {
    std::vector<fs::path> files;
    CPLStringList siblings; // every name in the folder, listed once for all its tiles
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        siblings.AddString(entry.path().filename().c_str());
        if (entry.is_regular_file(error)) {
            files.push_back(entry.path());
        }
    }
    if (error) {
        throw DemError(folder.string() + ": cannot list the folder: " + error.message());
    }
    std::sort(files.begin(), files.end());
    std::size_t rasters = 0;
    for (const fs::path& file : files) {
        rasters += isZip(file) ? openArchive(file.string(), keep, grids)
                               : found(openGdalGrid(file.string(), file.string(),
                                                    OpenMode::IfRaster, siblings.List()),
                                       keep, grids);
    }
    return rasters;
}

} // namespace

Grids openRasters(const std::vector<std::string>& paths, const GridFilter& keep) {
    Grids grids;
    for (const std::string& path : paths) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (!fs::exists(status)) {
            throw DemError(path + ": no such file or folder");
        }
        if (fs::is_directory(status)) {
            if (openFolder(path, keep, grids) == 0) {
                throw DemError(path + ": no georeferenced raster in the folder");
            }
        } else if (isZip(path)) {
            if (openArchive(path, keep, grids) == 0) {
                throw DemError(path + ": no georeferenced raster in the archive");
            }
        } else {
            grids.push_back(openGdalGrid(path, path, OpenMode::Required));
        }
    }
    if (grids.empty()) {
        throw DemError("no elevation raster given");
    }
    return grids;
}

} // namespace tarsel::dem
