// Settings files that exist but must not be read: each gives one warning
// naming the path and the defaults, never blocks, and is never overwritten.

#include "settings/profile_file.h"
#include "settings/settings.h"
#include "tests/settings/recording_sink.h"
#include "tests/settings/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using test::makeSocket;
using test::readFile;
using test::RecordingSink;
using test::TempFolder;
using test::writeFile;

std::string utf16Text() {
    std::string text("\xFF\xFE", 2);
    for (char c : std::string("[Tarsel]\r\nPt=1\r\n")) {
        text += c;
        text += '\0';
    }
    return text;
}

struct UnreadableCase {
    const char* name;
    std::function<std::string(const TempFolder&)> make; // returns the path
    const char* reason;
};

const UnreadableCase unreadableCases[] = {
    {"fifo",
     [](const TempFolder& f) {
         ::mkfifo(f.file("Tarsel.ini").c_str(), 0600);
         return f.file("Tarsel.ini");
     },
     "not a regular file"},
    {"socket",
     [](const TempFolder& f) {
         makeSocket(f.file("Tarsel.ini"));
         return f.file("Tarsel.ini");
     },
     "not a regular file"},
    {"/dev/null", [](const TempFolder&) { return std::string("/dev/null"); }, "not a regular file"},
    {"folder",
     [](const TempFolder& f) {
         fs::create_directory(f.file("Tarsel.ini"));
         return f.file("Tarsel.ini");
     },
     "Is a directory"},
    {"symbolic link loop",
     [](const TempFolder& f) {
         fs::create_symlink(f.file("b.ini"), f.file("Tarsel.ini"));
         fs::create_symlink(f.file("Tarsel.ini"), f.file("b.ini"));
         return f.file("Tarsel.ini");
     },
     "Too many levels of symbolic links"},
    {"over the size limit",
     [](const TempFolder& f) {
         writeFile(f.file("Tarsel.ini"),
                   "[Tarsel]\nPt=1\n" + std::string(ProfileFile::MaxFileSize, '\n'));
         return f.file("Tarsel.ini");
     },
     "larger than 4 MB, not a settings file"},
    {"UTF-16",
     [](const TempFolder& f) {
         writeFile(f.file("Tarsel.ini"), utf16Text());
         return f.file("Tarsel.ini");
     },
     "UTF-16 or UTF-32 text, not read (save it as UTF-8)"},
};

// What is at path, to compare before and after: its type and, for a regular
// file, its contents.
std::string snapshot(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return "missing";
    }
    const std::string type = std::to_string(st.st_mode & S_IFMT);
    return S_ISREG(st.st_mode) ? type + ":" + readFile(path) : type;
}

TEST(UnreadableSettings, WarnedOnLoadAndNeverOverwritten) {
    for (const UnreadableCase& c : unreadableCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = c.make(folder);
        const std::string before = snapshot(path);

        LinkParams params;
        params.Pt.value = 99.0;
        FontRecords fonts;
        RecordingSink loadSink;
        LoadSettings(path, params, fonts, loadSink);
        EXPECT_EQ(loadSink.texts(),
                  std::vector<std::string>{"Settings file not read, defaults used: " + path + ": " +
                                           c.reason});
        EXPECT_EQ(params.Pt.value, LinkParams().Pt.value); // the default, not what was there

        RecordingSink saveSink;
        SaveSettings(path, 0, params, nullptr, "", saveSink);
        SaveSettings(path, 2, params, &fonts.GraFont, "GraFont", saveSink);
        EXPECT_EQ(saveSink.warnings.size(), 15u); // one for the parameters, 14 for the font
        EXPECT_EQ(snapshot(path), before);
    }
}

} // namespace
} // namespace tarsel
