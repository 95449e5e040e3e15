// tarsel-report and the files it is asked to write: empty names, the settings
// file itself, devices, a file size limit and another user's read-only file.

#include "run_tool.h"
#include "settings/file_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isCharDevice(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISCHR(st.st_mode);
}

TEST(TarselReportFiles, NamesRefusedBeforeAnythingIsWritten) {
    const std::string dir = tempFolder();
    const std::string settings = dir + "/s.ini";
    const std::string inUse = dir + "/config/Tarsel.ini"; // the default path of runTool
    writeFile(settings, "[Tarsel]\nPt=1\n");
    struct Row {
        std::vector<std::string> args;
        std::string err;
    };
    const std::string usage = "\nUsage: tarsel-report";
    const Row rows[] = {
        {{"-o", ""}, "tarsel-report: -o: no file name given" + usage},
        {{"--write-settings", ""}, "tarsel-report: --write-settings: no file name given" + usage},
        {{"--settings", ""}, "tarsel-report: --settings: no value given" + usage},
        {{"--settings", settings, "-o", settings},
         "tarsel-report: -o " + settings + ": would overwrite the settings file\n"},
        {{"-o", inUse}, "tarsel-report: -o " + inUse + ": would overwrite the settings file\n"},
        {{"--defaults", "--write-settings", dir + "/w.ini", "-o", dir + "/./w.ini"},
         "tarsel-report: -o " + dir + "/./w.ini: would overwrite the settings file\n"},
    };
    for (const Row& row : rows) {
        const ToolRun run = runTool(row.args, "XDG_CONFIG_HOME=" + dir + "/config");
        EXPECT_EQ(run.status, 2) << row.args.back();
        EXPECT_EQ(run.err.substr(0, row.err.size()), row.err);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(readFile(settings), "[Tarsel]\nPt=1\n");
    EXPECT_FALSE(std::filesystem::exists(inUse));
    EXPECT_FALSE(std::filesystem::exists(dir + "/w.ini"));
}

// Neither -o nor --write-settings creates a folder, also not the one a
// symbolic link points into.
TEST(TarselReportFiles, LinkIntoAMissingFolderIsRefused) {
    const std::string dir = tempFolder();
    const std::string link = dir + "/link.ini";
    std::filesystem::create_symlink(dir + "/missing/Tarsel.ini", link);
    for (const char* option : {"--write-settings", "-o"}) {
        const ToolRun run = runTool({"--defaults", option, link});
        EXPECT_EQ(run.status, 1) << option;
        EXPECT_EQ(run.err, "tarsel-report: " + link + ": No such file or directory\n") << option;
        EXPECT_FALSE(std::filesystem::exists(dir + "/missing")) << option;
    }
}

// Another process holding the settings file locked: after a bounded wait the
// save fails naming the file, and the file is left as it was.
TEST(TarselReportFiles, LockedSettingsFileIsNotWaitedForEver) {
    const std::string dir = tempFolder();
    const std::string path = dir + "/Tarsel.ini";
    writeFile(path, "[Tarsel]\nPt=1\n");
    const tarsel::FileLock held(path);
    const ToolRun run = runTool({"--defaults", "--write-settings", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tarsel-report: Error saving user .INI file\ntarsel-report: " + path +
                           ": another process holds the file locked; nothing was saved\n");
    EXPECT_EQ(readFile(path), "[Tarsel]\nPt=1\n");
}

// The report and a sweep's table alike.
TEST(TarselReportFiles, DevicesAreWrittenThrough) {
    for (const std::vector<std::string>& what :
         {std::vector<std::string>{"--defaults"}, {"--defaults", "--sweep", "Range=1:10:3"}}) {
        std::vector<std::string> args = what;
        args.insert(args.end(), {"-o", "/dev/null"});
        const ToolRun toNull = runTool(args);
        EXPECT_EQ(toNull.status, 0) << toNull.err;
        EXPECT_TRUE(isCharDevice("/dev/null"));
        args.back() = "/dev/full";
        const ToolRun toFull = runTool(args);
        EXPECT_EQ(toFull.status, 1);
        EXPECT_NE(toFull.err.find("/dev/full: No space left on device"), std::string::npos)
            << toFull.err;
        EXPECT_TRUE(isCharDevice("/dev/full"));
    }
}

// A file size limit gives a message and status 1, not death by SIGXFSZ. The
// limit binds standard error too: room for the message, not for the file.
TEST(TarselReportFiles, FileSizeLimitIsAnErrorNotASignal) {
    const std::string dir = tempFolder();
    for (const char* option : {"-o", "--write-settings"}) {
        const std::string path = dir + "/out" + option;
        const ToolRun run = runTool({"--defaults", option, path}, "prlimit --fsize=400");
        EXPECT_EQ(run.status, 1) << option;
        EXPECT_NE(run.err.find(path + ": File too large"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(path)) << option;
    }
}

// As an ordinary user (nobody): the user's own read-only file is not
// replaced, and a settings file the user may not read is warned about and
// left alone.
TEST(TarselReportFiles, UnprivilegedUserAndReadOnlyFiles) {
    const std::string asNobody = "setpriv --reuid=nobody --regid=nogroup --clear-groups";
    if (::geteuid() != 0 || runTool({"--version"}, asNobody).status != 0) {
        GTEST_SKIP() << "needs root, setpriv and a tarsel-report that nobody may run";
    }
    const std::string dir = tempFolder();
    const std::string parent = std::filesystem::path(dir).parent_path().string();
    ::chmod(parent.c_str(), 0755);
    ::chmod(dir.c_str(), 0777);
    const std::string readOnly = dir + "/report.txt";
    const std::string secret = dir + "/secret.ini";
    writeFile(readOnly, "old");
    writeFile(secret, "[Tarsel]\nPt=1\n");
    ASSERT_EQ(::chown(readOnly.c_str(), 65534, 65534), 0);
    ::chmod(readOnly.c_str(), 0444);
    ::chmod(secret.c_str(), 0600); // root's own

    for (const char* sweep : {"--defaults", "--sweep=Range=1:10:3"}) {
        const ToolRun report = runTool({"--defaults", sweep, "-o", readOnly}, asNobody);
        EXPECT_EQ(report.status, 1);
        EXPECT_NE(report.err.find(readOnly + ": Permission denied"), std::string::npos)
            << report.err;
        EXPECT_EQ(readFile(readOnly), "old");
    }

    // A file of the user's with two names, in a folder the user may not
    // write to: written in place, both names see it.
    const std::string shared = parent + "/shared-" + std::to_string(::getpid());
    std::filesystem::create_directory(shared);
    writeFile(shared + "/a.txt", "old");
    std::filesystem::create_hard_link(shared + "/a.txt", shared + "/b.txt");
    ASSERT_EQ(::chown((shared + "/a.txt").c_str(), 65534, 65534), 0);
    ::chmod(shared.c_str(), 0755);
    const ToolRun linked = runTool({"--defaults", "-o", shared + "/a.txt"}, asNobody);
    EXPECT_EQ(linked.status, 0) << linked.err;
    EXPECT_EQ(readFile(shared + "/b.txt"), readFile(shared + "/a.txt"));
    EXPECT_NE(readFile(shared + "/b.txt"), "old");

    const ToolRun save = runTool({"--settings", secret, "--write-settings", secret}, asNobody);
    EXPECT_EQ(save.status, 1);
    EXPECT_NE(
        save.err.find("Settings file not read, defaults used: " + secret + ": Permission denied"),
        std::string::npos)
        << save.err;
    EXPECT_EQ(readFile(secret), "[Tarsel]\nPt=1\n");
}

} // namespace
