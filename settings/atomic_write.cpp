#include "settings/atomic_write.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tarsel {

namespace {

namespace fs = std::filesystem;

std::string failure(const std::string& path, const std::string& reason) {
    return path + ": " + reason;
}

std::string failure(const std::string& path, int error) {
    return failure(path, std::strerror(error));
}

// Writes all of data, resuming after partial writes and interruptions.
bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Opens a new temporary file beside target; -1 with errno set on failure.
int openTemporary(const fs::path& target, std::string& tempName) {
    static unsigned counter = 0;
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + ".tmp-" +
                                 std::to_string(::getpid()) + "-" + std::to_string(++counter);
        tempName = (folder / name).string();
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Flushes the folder so that the rename itself survives a crash; best effort.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string writeFileAtomically(const std::string& path, std::string_view data) {
    if (path.empty()) {
        return failure(path, "no file name given");
    }
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    if (!target.has_filename()) {
        return failure(path, std::strerror(EISDIR));
    }
    target = fs::absolute(target, ec);
    if (ec) {
        return failure(path, ec.message());
    }
    const fs::path folder = target.parent_path();
    if (!fs::exists(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) {
            return failure(path, ec.message());
        }
    }

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        return failure(path, EISDIR);
    }

    std::string tempName;
    const int fd = openTemporary(target, tempName);
    if (fd < 0) {
        return failure(path, errno);
    }
    if (replacing) {
        ::fchmod(fd, old.st_mode & 07777); // keep the old file's permissions
    }
    if (!writeAll(fd, data) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(tempName.c_str());
        return failure(path, error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return failure(path, error);
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return failure(path, error);
    }
    syncFolder(folder);
    return {};
}

} // namespace tarsel
