// Settings load -> save -> load is a fixed point: whatever file the program
// starts from, what it loads lies within every bound, saves without error and
// reloads without a warning; saving that again gives the same bytes and
// loading them the same parameters and fonts.

#include "fuzz_check.h"

#include "engine/link_params.h"
#include "entry/warning_sink.h"
#include "settings/log_font.h"
#include "settings/settings.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace tarsel;

class CountingSink : public WarningSink {
public:
    int count = 0;
    std::string last;
    void warn(const Warning& warning) override {
        ++count;
        last = warning.text;
    }
};

// One folder for the whole run, in memory when the system has /dev/shm,
// removed at exit.
class RunFolder {
public:
    RunFolder() {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "tarsel-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        folder_ = pattern;
    }
    ~RunFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    std::string file(const char* name) const { return (folder_ / name).string(); }

private:
    std::filesystem::path folder_;
};

const std::string& settingsPath() {
    static const RunFolder folder;
    static const std::string path = folder.file("Tarsel.ini");
    return path;
}

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(out.good(), "write the input file");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Loaded {
    LinkParams params;
    FontRecords fonts;
    CountingSink warnings;
};

void load(const std::string& path, Loaded& into) {
    LoadSettings(path, into.params, into.fonts, into.warnings);
    for (int field = 0; field < FieldCount; ++field) {
        const RangedValue& p = *paramForField(into.params, field);
        FUZZ_CHECK(p.value >= p.lo && p.value <= p.hi, "a loaded parameter within its bounds");
    }
}

// Returns the number of warnings the saves gave.
int save(const std::string& path, const Loaded& from) {
    CountingSink warnings;
    SaveSettings(path, 0, from.params, nullptr, "", warnings);
    const std::pair<const LogFont*, const char*> fonts[] = {{&from.fonts.GraFont, "GraFont"},
                                                            {&from.fonts.CtlFont, "CtlFont"},
                                                            {&from.fonts.TextFont, "TextFont"},
                                                            {&from.fonts.lfEd, "lfEd"}};
    for (const auto& [font, section] : fonts) {
        SaveSettings(path, 2, from.params, font, section, warnings);
    }
    return warnings.count;
}

bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool sameParams(const LinkParams& a, const LinkParams& b) {
    for (int field = 0; field < FieldCount; ++field) {
        const RangedValue& x = *paramForField(a, field);
        const RangedValue& y = *paramForField(b, field);
        if (!sameValue(x.value, y.value) || !sameValue(x.lo, y.lo) || !sameValue(x.hi, y.hi)) {
            return false;
        }
    }
    return a.XColWid.value == b.XColWid.value && a.nHillType == b.nHillType &&
           a.bDiffract == b.bDiffract;
}

bool sameFont(const LogFont& a, const LogFont& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
           a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::strncmp(a.lfFaceName, b.lfFaceName, sizeof a.lfFaceName) == 0;
}

bool sameFonts(const FontRecords& a, const FontRecords& b) {
    return sameFont(a.GraFont, b.GraFont) && sameFont(a.CtlFont, b.CtlFont) &&
           sameFont(a.TextFont, b.TextFont) && sameFont(a.lfEd, b.lfEd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = settingsPath();
    writeFile(path, data, size);

    Loaded first;
    load(path, first);
    if (save(path, first) != 0) {
        // A file the load refused (not text we can read) is never overwritten.
        FUZZ_CHECK(first.warnings.count != 0, "a save fails only after a refused load");
        FUZZ_CHECK(readFile(path) == std::string(reinterpret_cast<const char*>(data), size),
                   "a refused save leaves the file as it was");
        return 0;
    }
    const std::string saved = readFile(path);

    Loaded second;
    load(path, second);
    if (second.warnings.count != 0) {
        std::fprintf(stderr, "%s\n", second.warnings.last.c_str());
    }
    FUZZ_CHECK(second.warnings.count == 0, "a saved file reloads without a warning");
    FUZZ_CHECK(save(path, second) == 0, "a saved file saves again without error");
    FUZZ_CHECK(readFile(path) == saved, "saving what was loaded changes nothing");

    Loaded third;
    load(path, third);
    FUZZ_CHECK(sameParams(second.params, third.params), "parameters reload the same");
    FUZZ_CHECK(sameFonts(second.fonts, third.fonts), "fonts reload the same");
    return 0;
}
