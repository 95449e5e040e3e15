#include "dem/raster_set.h"

#include "dem/dem_error.h"
#include "dem/gdal_grid.h"

#include <cpl_string.h>
#include <cpl_vsi.h>

#include <algorithm>
#include <filesystem>
#include <optional>
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

// A folder's regular files by name, and every name in it, listed once for
// all its tiles (GDAL looks for side files among them).
struct FolderListing {
    std::vector<fs::path> files;
    CPLStringList siblings;
};

FolderListing listFolder(const fs::path& folder) {
    FolderListing listing;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        listing.siblings.AddString(entry.path().filename().c_str());
        if (entry.is_regular_file(error)) {
            listing.files.push_back(entry.path());
        }
    }
    if (error) {
        throw DemError(folder.string() + ": cannot list the folder: " + error.message());
    }
    std::sort(listing.files.begin(), listing.files.end());
    return listing;
}

std::size_t openFolder(FolderListing& listing, const GridFilter& keep, Grids& grids,
                       ProgressSteps& steps) {
    std::size_t rasters = 0;
    for (const fs::path& file : listing.files) {
        rasters += isZip(file) ? openArchive(file.string(), keep, grids)
                               : found(openGdalGrid(file.string(), file.string(),
                                                    OpenMode::IfRaster, listing.siblings.List()),
                                       keep, grids);
        steps.advance();
    }
    return rasters;
}

} // namespace

Grids openRasters(const std::vector<std::string>& paths, const GridFilter& keep,
                  const DemProgress& progress) {
    // Every path looked at and every folder listed first: a missing one is
    // said before any file is opened, and the files to open are counted.
    std::vector<std::optional<FolderListing>> folders;
    std::size_t files = 0;
    for (const std::string& path : paths) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (!fs::exists(status)) {
            throw DemError(path + ": no such file or folder");
        }
        folders.emplace_back();
        if (fs::is_directory(status)) {
            folders.back() = listFolder(path);
        }
        files += folders.back() ? folders.back()->files.size() : 1;
    }
    Grids grids;
    ProgressSteps steps(progress, DemStage::OpeningRasters, files);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        if (folders[i]) {
            if (openFolder(*folders[i], keep, grids, steps) == 0) {
                throw DemError(path + ": no georeferenced raster in the folder");
            }
            continue;
        }
        if (isZip(path)) {
            if (openArchive(path, keep, grids) == 0) {
                throw DemError(path + ": no georeferenced raster in the archive");
            }
        } else {
            grids.push_back(openGdalGrid(path, path, OpenMode::Required));
        }
        steps.advance();
    }
    if (grids.empty()) {
        throw DemError("no elevation raster given");
    }
    return grids;
}

} // namespace tarsel::dem
