#include "settings/atomic_write.h"
#include "settings/profile_file.h"
#include "tests/settings/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempFolder;
using test::writeFile;

TEST(AtomicSave, NewFileInMissingFolders) {
    TempFolder folder;
    const std::string path = folder.file("a/b/Tarsel.ini");
    EXPECT_EQ(writeFileAtomically(path, "x"), path + ": No such file or directory");
    EXPECT_EQ(writeFileAtomically(path, "[S]\nk=v\n", WriteTarget::SettingsFile), "");
    EXPECT_EQ(readFile(path), "[S]\nk=v\n");
}

TEST(AtomicSave, ReplacesAndKeepsPermissions) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    EXPECT_EQ(writeFileAtomically(path, "new"), "");
    EXPECT_EQ(readFile(path), "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.entries(), 1u); // no temporary file left
}

TEST(AtomicSave, FollowsSymbolicLink) {
    TempFolder folder;
    const std::string target = folder.file("real.ini");
    const std::string link = folder.file("Tarsel.ini");
    writeFile(target, "old");
    fs::create_symlink(target, link);
    EXPECT_EQ(writeFileAtomically(link, "new"), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(target), "new");
}

// Failures that hold even for root, each leaving what was there.
TEST(AtomicSave, ParentIsRegularFile) {
    TempFolder folder;
    const std::string parent = folder.file("plain");
    writeFile(parent, "keep me");
    const std::string path = parent + "/Tarsel.ini";
    const std::string error = writeFileAtomically(path, "new");
    EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error; // names the path, then the reason
    EXPECT_GT(error.size(), path.size() + 2);
    EXPECT_EQ(readFile(parent), "keep me");
}

TEST(AtomicSave, PathIsFolder) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    fs::create_directory(path);
    writeFile(path + "/inside", "keep me");
    const std::string error = writeFileAtomically(path, "new");
    EXPECT_EQ(error, path + ": Is a directory");
    EXPECT_EQ(readFile(path + "/inside"), "keep me");
    EXPECT_EQ(folder.entries(), 1u); // no temporary file left
}

TEST(AtomicSave, EmptyPath) {
    EXPECT_NE(writeFileAtomically("", "new"), "");
}

// A write that fails half way (file size limit, which binds root too) leaves
// the old file whole and no temporary file behind.
TEST(AtomicSave, WriteFailingHalfWayKeepsOldFile) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    const std::string old = "[Tarsel]\nPt=1\n";
    writeFile(path, old);
    const std::string big(64 * 1024, 'x');

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = writeFileAtomically(path, big);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, path + ": File too large");
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(folder.entries(), 1u); // no temporary file left
}

TEST(ProfileSave, ReadWriteThroughFile) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "; mine\r\n[S]\r\nk=1\r\n");
    EXPECT_EQ(writeProfileString(path, "s", "J", "2"), "");
    EXPECT_EQ(readFile(path), "; mine\r\n[S]\r\nk=1\r\nJ=2\r\n");
    EXPECT_EQ(readProfileString(path, "S", "j", "", 20), "2");
    EXPECT_EQ(readProfileInt(path, "S", "K", 0), 1);
    EXPECT_EQ(readProfileInt(folder.file("missing.ini"), "S", "k", 7), 7);
}

TEST(ProfileSave, UnreadableFileIsNotReplaced) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    fs::create_directory(path);
    std::string error;
    const ProfileFile file = ProfileFile::read(path, &error);
    EXPECT_EQ(error, path + ": Is a directory");
    EXPECT_EQ(file.text(), "");
    EXPECT_NE(writeProfileString(path, "S", "k", "v"), "");
    EXPECT_TRUE(fs::is_directory(path));
}

TEST(ProfileSave, MissingFileReadsEmptyWithoutError) {
    TempFolder folder;
    std::string error = "stale";
    ProfileFile::read(folder.file("none.ini"), &error);
    EXPECT_EQ(error, "");
    ProfileFile::read(folder.file("none.ini/below.ini"), &error);
    EXPECT_EQ(error, "");
}

} // namespace
} // namespace tarsel
