#include "cli/dem_module_loader.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>

namespace tarsel::cli {

namespace fs = std::filesystem;

namespace {

std::string lastLoadError() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error of the dynamic loader";
}

} // namespace

std::vector<std::string> demModuleCandidates(const std::string& executableDir) {
    const fs::path dir(executableDir);
    return {(dir / dem::ModuleFileName).string(),
            (dir / TARSEL_MODULE_DIR_FROM_BIN / dem::ModuleFileName).lexically_normal().string()};
}

dem::ProfileFromDemFunction loadDemModule(std::string& reason) {
    static dem::ProfileFromDemFunction loaded = nullptr;
    if (loaded != nullptr) {
        return loaded;
    }
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        reason = "the program's own folder is unknown (/proc/self/exe: " + error.message() + ")";
        return nullptr;
    }
    const std::vector<std::string> candidates = demModuleCandidates(program.parent_path());
    const auto found = std::find_if(candidates.begin(), candidates.end(), [](const auto& path) {
        std::error_code ignored;
        return fs::is_regular_file(path, ignored);
    });
    if (found == candidates.end()) {
        reason = "no " + std::string(dem::ModuleFileName) + " in " +
                 fs::path(candidates[0]).parent_path().string() + " or " +
                 fs::path(candidates[1]).parent_path().string();
        return nullptr;
    }
    // Kept loaded to the end: GDAL's drivers and caches live in it.
    void* module = dlopen(found->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        reason = lastLoadError();
        return nullptr;
    }
    using Entry = dem::ProfileFromDemFunction (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(module, dem::ModuleEntryPoint));
    if (entry == nullptr) {
        reason = lastLoadError();
        dlclose(module);
        return nullptr;
    }
    loaded = entry();
    return loaded;
}

} // namespace tarsel::cli
