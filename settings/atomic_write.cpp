#include "settings/atomic_write.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tarsel {

namespace {

namespace fs = std::filesystem;

// Links followed before giving up, as the kernel does for a path.
constexpr int MaxLinkHops = 40;

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

// Follows the symbolic links that path names, dangling ones too, to the name
// of the file finally meant. Returns 0 or the errno of the failure.
int followLinks(fs::path& path) {
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            return errno == ENOENT ? 0 : errno;
        }
        if (!S_ISLNK(st.st_mode)) {
            return 0;
        }
        if (hops == MaxLinkHops) {
            return ELOOP;
        }
        char link[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), link, sizeof link);
        if (n < 0 || static_cast<std::size_t>(n) == sizeof link) {
            return n < 0 ? errno : ENAMETOOLONG;
        }
        const fs::path next(std::string(link, static_cast<std::size_t>(n)));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

// Why the user may not write the existing file target, or 0. Root passes every
// permission check, so a file without any write bit counts as read-only.
std::string writeDenied(const fs::path& target, const struct stat& st) {
    if (::geteuid() == 0) {
        return (st.st_mode & 0222) == 0 ? "Permission denied (read-only file)" : "";
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EACCES) {
            return "Permission denied (read-only file)";
        }
        if (errno == EROFS) {
            return std::strerror(EROFS);
        }
    }
    return {};
}

// Writes data through what name opens, without replacing it: a device, FIFO
// or socket; or, when size is given, a regular file with several names, which
// is then cut to the new length and flushed to disk.
std::string writeInPlace(const std::string& path, const fs::path& name, std::string_view data,
                         const struct stat* regular) {
    // Non-blocking open: a FIFO nobody reads from fails instead of hanging.
    const int fd = ::open(name.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return failure(path, errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    bool ok = true;
    if (regular != nullptr) {
        const auto size = static_cast<off_t>(data.size());
        if (size > regular->st_size) {
            // Reserve the space first, so a full disk fails before any change.
            ok = ::fallocate(fd, 0, 0, size) == 0 || errno == EOPNOTSUPP || errno == ENOSYS;
        }
        ok = ok && writeAll(fd, data) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    } else {
        ok = writeAll(fd, data);
    }
    const int error = errno;
    if (::close(fd) != 0 && ok) {
        return failure(path, errno);
    }
    return ok ? std::string() : failure(path, error);
}

// Flushes the folder so that the rename itself survives a crash; best effort.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string temporaryPrefix(const fs::path& target) {
    return std::string(".").append(target.filename().string()).append(".tmp-");
}

// A fresh name beside target for a temporary file: ".<name>.tmp-<pid>-<n>".
fs::path temporaryName(const fs::path& target) {
    static unsigned counter = 0;
    return target.parent_path() /
           (temporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(++counter));
}

// Removes the temporary files of target that processes which no longer run
// left behind (killed between creating and renaming them). Only the user's
// own regular files of exactly that name pattern are touched.
void removeStaleTemporaries(const fs::path& target) {
    const std::string prefix = temporaryPrefix(target);
    DIR* folder = ::opendir(target.parent_path().c_str());
    if (folder == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix)) {
            continue;
        }
        const std::string_view rest = name.substr(prefix.size());
        pid_t pid = 0;
        const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (ec != std::errc() || end == rest.data() || *end != '-' || pid <= 0) {
            continue;
        }
        const std::string_view counter(end + 1, rest.data() + rest.size() - (end + 1));
        if (counter.empty() || counter.find_first_not_of("0123456789") != std::string_view::npos) {
            continue;
        }
        const fs::path stale = target.parent_path() / std::string(name);
        struct stat st {};
        if (::kill(pid, 0) != 0 && errno == ESRCH && ::lstat(stale.c_str(), &st) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
            ::unlink(stale.c_str());
        }
    }
    ::closedir(folder);
}

// Gives the new file the old one's owner and group where the process may (root
// always; a user only a group of theirs), then its permissions.
void keepOwnerAndMode(int fd, const struct stat& old) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not allowed: the new file stays the user's own.
        }
    }
    ::fchmod(fd, old.st_mode & 07777);
}

// Names the unnamed file fd beside target; 0 or the errno of the failure.
int nameUnnamedFile(int fd, const fs::path& target, fs::path& tempName) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = temporaryName(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempName.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
            (errno != EEXIST && ::linkat(fd, "", AT_FDCWD, tempName.c_str(), AT_EMPTY_PATH) == 0)) {
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

// Opens a new named temporary file beside target; -1 with errno on failure.
int openNamedTemporary(const fs::path& target, fs::path& tempName) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = temporaryName(target);
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Writes data to a temporary file beside target (unnamed until it is complete
// when the file system allows) and renames it over target. old is the file
// replaced, or nullptr. Returns 0 or the errno of the failure.
int replaceFile(const fs::path& target, std::string_view data, const struct stat* old) {
    removeStaleTemporaries(target);
    fs::path tempName;
    bool named = false;
    int fd = ::open(target.parent_path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        fd = openNamedTemporary(target, tempName);
        named = true;
        if (fd < 0) {
            return errno;
        }
    }
    if (old != nullptr) {
        keepOwnerAndMode(fd, *old);
    }
    int error = 0;
    if (!writeAll(fd, data) || ::fsync(fd) != 0) {
        error = errno;
    } else if (!named) {
        error = nameUnnamedFile(fd, target, tempName);
        named = error == 0;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0 && named) {
        ::unlink(tempName.c_str());
    }
    if (error == 0) {
        syncFolder(target.parent_path());
    }
    return error;
}

} // namespace

std::string writeFileAtomically(const std::string& path, std::string_view data, WriteTarget kind) {
    if (path.empty()) {
        return failure(path, "no file name given");
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) {
            return failure(path, EISDIR);
        }
        if (kind == WriteTarget::SettingsFile) {
            return failure(path, "not a regular file");
        }
        return writeInPlace(path, path, data, nullptr); // device, FIFO, socket
    }
    fs::path target(path);
    if (const int error = followLinks(target); error != 0) {
        return failure(path, error);
    }
    if (!target.has_filename()) {
        return failure(path, EISDIR);
    }
    std::error_code ec;
    target = fs::absolute(target, ec);
    if (ec) {
        return failure(path, ec.message());
    }
    const bool replacing = ::stat(target.c_str(), &st) == 0;
    if (replacing) {
        if (!S_ISREG(st.st_mode)) {
            return failure(path,
                           S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file");
        }
        if (const std::string denied = writeDenied(target, st); !denied.empty()) {
            return failure(path, denied);
        }
        if (st.st_nlink > 1) {
            return writeInPlace(path, target, data, &st);
        }
    } else if (const fs::path folder = target.parent_path();
               kind == WriteTarget::SettingsFile && !fs::exists(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) {
            return failure(path, ec.message());
        }
    }
    if (const int error = replaceFile(target, data, replacing ? &st : nullptr); error != 0) {
        return failure(path, error);
    }
    return {};
}

} // namespace tarsel
