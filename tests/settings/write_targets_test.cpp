// What a write does to each kind of thing a path may name, and to a crash or
// a second process in the middle of it.

#include "settings/atomic_write.h"
#include "settings/profile_file.h"
#include "tests/settings/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempFolder;
using test::writeFile;

mode_t typeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

TEST(WriteTargets, FifoIsWrittenThroughNotReplaced) {
    TempFolder folder;
    const std::string fifo = folder.file("out.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(writeFileAtomically(fifo, "report\n"), "");
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "report\n");
    EXPECT_EQ(writeFileAtomically(fifo, "x", WriteTarget::SettingsFile),
              fifo + ": not a regular file");
    ::close(reader);
    // Nobody reading: an error at once, never a hang.
    EXPECT_EQ(writeFileAtomically(fifo, "x"), fifo + ": No such device or address");
    EXPECT_EQ(typeOf(fifo), static_cast<mode_t>(S_IFIFO));
}

TEST(WriteTargets, DevicesAndSocketsStayWhatTheyAre) {
    TempFolder folder;
    const std::string socketPath = folder.file("socket");
    test::makeSocket(socketPath);

    EXPECT_EQ(writeFileAtomically("/dev/null", "report"), "");
    EXPECT_EQ(writeFileAtomically("/dev/full", "report"), "/dev/full: No space left on device");
    EXPECT_EQ(writeFileAtomically("/dev/null", "x", WriteTarget::SettingsFile),
              "/dev/null: not a regular file");
    EXPECT_EQ(writeFileAtomically(socketPath, "x"), socketPath + ": No such device or address");
    EXPECT_EQ(typeOf("/dev/null"), static_cast<mode_t>(S_IFCHR));
    EXPECT_EQ(typeOf("/dev/full"), static_cast<mode_t>(S_IFCHR));
    EXPECT_EQ(typeOf(socketPath), static_cast<mode_t>(S_IFSOCK));
}

// Root passes every permission check, so for root too a file without write
// bits is read-only.
TEST(WriteTargets, ReadOnlyFileIsNotReplaced) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "old");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(writeFileAtomically(path, "new"), path + ": Permission denied (read-only file)");
    EXPECT_EQ(readFile(path), "old");
}

TEST(WriteTargets, HardLinkedFileChangesUnderEveryName) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    const std::string other = folder.file("backup.ini");
    writeFile(path, "a much longer old text");
    fs::create_hard_link(path, other);
    EXPECT_EQ(writeFileAtomically(path, "new"), "");
    EXPECT_EQ(readFile(other), "new");
    EXPECT_EQ(fs::hard_link_count(path), 2u);
    EXPECT_EQ(writeFileAtomically(other, "newer and longer"), "");
    EXPECT_EQ(readFile(path), "newer and longer");
}

TEST(WriteTargets, DanglingLinkWritesWhatItNames) {
    TempFolder folder;
    const std::string link = folder.file("Tarsel.ini");
    fs::create_symlink("real.ini", link); // relative, to a file not yet there
    EXPECT_EQ(writeFileAtomically(link, "new", WriteTarget::SettingsFile), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(folder.file("real.ini")), "new");
}

TEST(WriteTargets, OwnerAndGroupKept) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    EXPECT_EQ(writeFileAtomically(path, "new"), "");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(readFile(path), "new");
}

// Written in pieces: the whole appears on commit, under every name of the
// file; given up before that, the old file stays and no temporary is left.
TEST(WriteTargets, PiecesAppearWholeOnCommitOnly) {
    for (const bool hardLinked : {false, true}) {
        TempFolder folder;
        const std::string path = folder.file("out.csv");
        const std::string other = folder.file("other.csv");
        writeFile(path, "old");
        if (hardLinked) {
            fs::create_hard_link(path, other);
        }
        const std::size_t before = folder.entries();
        {
            AtomicFile file;
            ASSERT_EQ(file.open(path), "");
            EXPECT_TRUE(file.write("a,b\n"));
            EXPECT_EQ(readFile(path), "old");
        }
        EXPECT_EQ(readFile(path), "old") << hardLinked;
        EXPECT_EQ(folder.entries(), before);
        AtomicFile file;
        ASSERT_EQ(file.open(path), "");
        EXPECT_TRUE(file.write("a,b\n") && file.write("1,2\n"));
        EXPECT_EQ(file.commit(), "");
        EXPECT_EQ(readFile(hardLinked ? other : path), "a,b\n1,2\n") << hardLinked;
        EXPECT_EQ(folder.entries(), before);
    }
}

// A process killed in the middle of a write (here by the file size signal)
// leaves no temporary file behind; nor does one killed before it could rename
// its named temporary, once the next write has run.
TEST(WriteTargets, NoTemporaryFileOutlivesACrash) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "old");
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        const rlimit small{1024, 1024};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        writeFileAtomically(path, std::string(65536, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(folder.entries(), 1u);

    const std::string stale = folder.file(".Tarsel.ini.tmp-" + std::to_string(child) + "-1");
    const std::string live = folder.file(".Tarsel.ini.tmp-" + std::to_string(::getpid()) + "-0");
    const std::string otherStale =
        folder.file(".link.ini.tmp-" + std::to_string(child) + "-7"); // another file's
    writeFile(stale, "left by a killed process");
    writeFile(otherStale, "left by a killed process");
    writeFile(live, "being written by a running one");
    EXPECT_EQ(writeFileAtomically(path, "new"), "");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_FALSE(fs::exists(otherStale));
    EXPECT_TRUE(fs::exists(live));
}

// Ctrl-C or termination while a file with two names is rewritten in place
// waits for the copy: both names see the old file or the whole new one, at
// its exact size, never new rows followed by old ones.
TEST(WriteTargets, InterruptedInPlaceCopyLeavesNoTornFile) {
    constexpr std::size_t OldSize = 48 << 20;
    constexpr std::size_t NewSize = 32 << 20;
    for (const int signal : {SIGINT, SIGTERM}) {
        TempFolder folder;
        const std::string path = folder.file("table.csv");
        writeFile(path, std::string(OldSize, 'o'));
        fs::create_hard_link(path, folder.file("other.csv"));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            AtomicFile file;
            const bool ok = file.open(path) == "" && file.write(std::string(NewSize, 'n'));
            [[maybe_unused]] const ssize_t told = ::write(ready[1], "x", 1);
            file.commit();
            ::_exit(ok ? 0 : 1);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(ready[0]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        const std::string now = readFile(folder.file("other.csv"));
        EXPECT_TRUE(now == std::string(OldSize, 'o') || now == std::string(NewSize, 'n'))
            << "signal " << signal << ": " << now.size() << " bytes, "
            << std::count(now.begin(), now.end(), 'n') << " of them new";
    }
}

// A writable file in a folder the user may not write to: the message blames
// the folder, where the scratch file could not be made.
TEST(WriteTargets, ReadOnlyFolderIsNamed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to become another user";
    }
    TempFolder folder;
    const std::string rof = folder.file("rof");
    const std::string path = rof + "/T.ini";
    fs::create_directory(rof);
    writeFile(path, "old");
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(path.c_str(), 0666);
    ::chmod(rof.c_str(), 0555);
    ASSERT_EQ(::chown(rof.c_str(), 65534, 65534), 0);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        const std::string error = dropped ? writeFileAtomically(path, "new") : "no setuid";
        [[maybe_unused]] const ssize_t told = ::write(pipe[1], error.data(), error.size());
        ::_exit(0);
    }
    ::close(pipe[1]);
    char buffer[512] = {};
    const ssize_t n = ::read(pipe[0], buffer, sizeof buffer - 1);
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0),
              path + ": cannot create a scratch file in the folder " + rof +
                  " (Permission denied)");
    EXPECT_EQ(readFile(path), "old");
}

// Two processes adding keys to one settings file at once, one of them through
// a symbolic link: each save reads, changes and replaces the file under the
// lock, so no key is lost.
TEST(WriteTargets, RacingSavesLoseNoKey) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    const std::string link = folder.file("link.ini");
    fs::create_symlink("Tarsel.ini", link);
    constexpr int Keys = 60;
    pid_t children[2] = {};
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        if (children[c] == 0) {
            bool ok = true;
            for (int k = 0; k < Keys; ++k) {
                ok = writeProfileString(c == 0 ? path : link, "S",
                                        "key" + std::to_string(c) + "_" + std::to_string(k),
                                        "1") == "" &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const ProfileFile file = ProfileFile::read(path);
    int found = 0;
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < Keys; ++k) {
            found += file.contains("S", "key" + std::to_string(c) + "_" + std::to_string(k));
        }
    }
    EXPECT_EQ(found, 2 * Keys);
}

} // namespace
} // namespace tarsel
