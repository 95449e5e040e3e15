#include "settings/atomic_write.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <mutex>
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

// Whether name is a named temporary of this module, ".<name>.tmp-<pid>-<n>",
// and the process that made it.
bool temporaryOwner(std::string_view name, pid_t& pid) {
    const std::size_t mark = name.rfind(".tmp-");
    if (!name.starts_with('.') || mark == std::string_view::npos || mark < 2) {
        return false;
    }
    const std::string_view rest = name.substr(mark + 5);
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || end == rest.data() || end == rest.data() + rest.size() ||
        *end != '-' || pid <= 0) {
        return false;
    }
    const std::string_view counter(end + 1, rest.data() + rest.size() - (end + 1));
    return !counter.empty() && counter.find_first_not_of("0123456789") == std::string_view::npos;
}

// Removes the temporary files that processes which no longer run left in
// target's folder (killed between creating and renaming them), whatever file
// they were meant to replace. Only the user's own regular files of exactly
// that name pattern are touched.
void removeStaleTemporaries(const fs::path& target) {
    DIR* folder = ::opendir(target.parent_path().c_str());
    if (folder == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        pid_t pid = 0;
        if (!temporaryOwner(entry->d_name, pid)) {
            continue;
        }
        const fs::path stale = target.parent_path() / entry->d_name;
        struct stat st {};
        if (::kill(pid, 0) != 0 && errno == ESRCH && ::lstat(stale.c_str(), &st) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
            ::unlink(stale.c_str());
        }
    }
    ::closedir(folder);
}

// Defers SIGINT, SIGTERM and SIGHUP while it lives, in every thread: one that
// arrives meanwhile takes its usual effect when the guard ends. Signals the
// program handles or ignores itself are left alone. One guard at a time.
class DeferredSignals {
public:
    DeferredSignals() : lock_(mutex()) {
        pending() = 0;
        struct sigaction deferring {};
        deferring.sa_handler = [](int signal) { pending() = signal; };
        deferring.sa_flags = SA_RESTART;
        sigfillset(&deferring.sa_mask);
        for (std::size_t i = 0; i < std::size(Signals); ++i) {
            struct sigaction current {};
            installed_[i] = ::sigaction(Signals[i], nullptr, &current) == 0 &&
                            current.sa_handler == SIG_DFL &&
                            ::sigaction(Signals[i], &deferring, &old_[i]) == 0;
        }
    }
    ~DeferredSignals() {
        for (std::size_t i = 0; i < std::size(Signals); ++i) {
            if (installed_[i]) {
                ::sigaction(Signals[i], &old_[i], nullptr);
            }
        }
        if (const int signal = pending(); signal != 0) {
            ::raise(signal);
        }
    }
    DeferredSignals(const DeferredSignals&) = delete;
    DeferredSignals& operator=(const DeferredSignals&) = delete;

private:
    static constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static volatile std::sig_atomic_t& pending() {
        static volatile std::sig_atomic_t signal = 0;
        return signal;
    }

    std::lock_guard<std::mutex> lock_;
    struct sigaction old_[std::size(Signals)]{};
    bool installed_[std::size(Signals)] = {};
};

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
        const int fd = ::open(tempName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Opens what exists at path and is not a file (a device, FIFO or socket) for
// writing through, without blocking: a FIFO nobody reads from fails instead of
// hanging. -1 with errno on failure.
int openThrough(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) {
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        }
    }
    return fd;
}

} // namespace

int followSymbolicLinks(std::filesystem::path& path) {
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
        const std::filesystem::path next(std::string(link, static_cast<std::size_t>(n)));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

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

AtomicFile::~AtomicFile() {
    abandon();
}

void AtomicFile::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempName_.empty()) {
        ::unlink(tempName_.c_str());
        tempName_.clear();
    }
    unnamed_ = false;
    mode_ = Mode::Closed;
}

std::string AtomicFile::open(const std::string& path, WriteTarget kind) {
    abandon();
    path_ = path;
    size_ = 0;
    error_ = 0;
    if (path.empty()) {
        return failure(path, "no file name given");
    }
    if (std::string error = openTarget(kind); !error.empty()) {
        abandon();
        return error;
    }
    return {};
}

std::string AtomicFile::openTarget(WriteTarget kind) {
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) {
            return failure(path_, EISDIR);
        }
        if (kind == WriteTarget::SettingsFile) {
            return failure(path_, "not a regular file");
        }
        fd_ = openThrough(path_); // device, FIFO, socket
        mode_ = Mode::Through;
        return fd_ < 0 ? failure(path_, errno) : std::string();
    }
    target_ = path_;
    if (const int error = followSymbolicLinks(target_); error != 0) {
        return failure(path_, error);
    }
    if (!target_.has_filename()) {
        return failure(path_, EISDIR);
    }
    std::error_code ec;
    target_ = fs::absolute(target_, ec);
    if (ec) {
        return failure(path_, ec.message());
    }
    replacing_ = ::stat(target_.c_str(), &old_) == 0;
    mode_ = Mode::Replace;
    if (replacing_) {
        if (!S_ISREG(old_.st_mode)) {
            return failure(path_,
                           S_ISDIR(old_.st_mode) ? std::strerror(EISDIR) : "not a regular file");
        }
        if (const std::string denied = writeDenied(target_, old_); !denied.empty()) {
            return failure(path_, denied);
        }
        if (old_.st_nlink > 1) {
            // Several names: the data is gathered in a scratch file and copied
            // into the file itself by commit(), so that every name sees it.
            mode_ = Mode::InPlace;
        }
    } else if (const fs::path folder = target_.parent_path();
               kind == WriteTarget::SettingsFile && !fs::exists(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) {
            return failure(path_, ec.message());
        }
    }
    return openTemporary();
}

// A temporary file beside the target, unnamed where the file system allows;
// a scratch file for writing in place is never named.
std::string AtomicFile::openTemporary() {
    if (mode_ == Mode::Replace) {
        removeStaleTemporaries(target_);
    } else {
        // Writing in place needs no right to the folder: the scratch file
        // goes to the temporary folder first.
        std::error_code ec;
        const fs::path scratch = fs::temp_directory_path(ec);
        if (!ec) {
            fd_ = ::open(scratch.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        }
    }
    if (fd_ < 0) {
        fd_ = ::open(target_.parent_path().c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    }
    unnamed_ = fd_ >= 0;
    if (fd_ < 0) {
        fd_ = openNamedTemporary(target_, tempName_);
        if (fd_ < 0) {
            tempName_.clear(); // not ours
            if (errno == EACCES || errno == EPERM) {
                // The file may be writable; its folder is what refuses.
                return failure(path_, "cannot create a scratch file in the folder " +
                                          target_.parent_path().string() + " (" +
                                          std::strerror(errno) + ")");
            }
            return failure(path_, errno);
        }
        if (mode_ == Mode::InPlace) {
            ::unlink(tempName_.c_str());
            tempName_.clear();
        }
    }
    if (mode_ == Mode::Replace && replacing_) {
        keepOwnerAndMode(fd_, old_);
    }
    return {};
}

bool AtomicFile::write(std::string_view data) {
    if (mode_ == Mode::Closed || error_ != 0) {
        return false;
    }
    if (!writeAll(fd_, data)) {
        error_ = errno;
        return false;
    }
    size_ += static_cast<std::int64_t>(data.size());
    return true;
}

// Copies the finished scratch file into the target, which keeps its inode and
// names. Its space is reserved first without changing its size, so a full
// disk fails before any change; Ctrl-C and termination wait for the copy; the
// size is set last. Only a kill that cannot be caught, a crash or a power
// loss during the copy leaves the new start followed by the old rest.
int AtomicFile::copyInPlace() {
    const int out = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (out < 0) {
        return errno;
    }
    const auto size = static_cast<off_t>(size_);
    bool ok = size <= old_.st_size || ::fallocate(out, FALLOC_FL_KEEP_SIZE, 0, size) == 0 ||
              errno == EOPNOTSUPP || errno == ENOSYS;
    {
        const DeferredSignals deferred;
        char buffer[1 << 16];
        for (off_t at = 0; ok && at < size;) {
            const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            ok = n > 0 && writeAll(out, std::string_view(buffer, static_cast<std::size_t>(n)));
            at += n;
        }
        ok = ok && ::ftruncate(out, size) == 0;
    }
    ok = ok && ::fsync(out) == 0;
    const int error = ok ? 0 : (errno != 0 ? errno : EIO);
    if (::close(out) != 0 && error == 0) {
        return errno;
    }
    return error;
}

// Flushes the temporary file, names it and renames it over the target.
int AtomicFile::replace() {
    if (::fsync(fd_) != 0) {
        return errno;
    }
    if (unnamed_) {
        if (const int error = nameUnnamedFile(fd_, target_, tempName_); error != 0) {
            tempName_.clear(); // not ours
            return error;
        }
        unnamed_ = false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        return errno;
    }
    if (::rename(tempName_.c_str(), target_.c_str()) != 0) {
        return errno;
    }
    tempName_.clear();
    syncFolder(target_.parent_path());
    return 0;
}

std::string AtomicFile::commit() {
    int error = error_;
    if (mode_ == Mode::Closed) {
        error = EBADF;
    } else if (error == 0 && mode_ == Mode::InPlace) {
        error = copyInPlace();
    } else if (error == 0 && mode_ == Mode::Replace) {
        error = replace();
    } else if (mode_ == Mode::Through) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && error == 0) {
            error = errno;
        }
    }
    abandon();
    return error == 0 ? std::string() : failure(path_, error);
}

std::string writeFileAtomically(const std::string& path, std::string_view data, WriteTarget kind) {
    AtomicFile file;
    if (std::string error = file.open(path, kind); !error.empty()) {
        return error;
    }
    file.write(data);
    return file.commit();
}

} // namespace tarsel
