// Settings load -> save -> load is a fixed point: whatever file the program
// starts from, what it loads lies within every bound, and what it saves
// reloads without a warning; saving that again gives the same bytes and
// loading them the same parameters and fonts. The file is held in memory, as
// the program holds it between reading it and saving it, so that a run
// reaches millions of inputs; how files are read and replaced is the tests'.

#include "fuzz_check.h"

#include "engine/link_params.h"
#include "entry/warning_sink.h"
#include "settings/log_font.h"
#include "settings/profile_file.h"
#include "settings/settings.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

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

struct Loaded {
    LinkParams params;
    FontRecords fonts;
    CountingSink warnings;
};

void load(std::string_view text, Loaded& into) {
    loadSettingsFrom(ProfileFile(text), into.params, into.fonts, into.warnings);
    for (int field = 0; field < FieldCount; ++field) {
        const RangedValue& p = *paramForField(into.params, field);
        FUZZ_CHECK(p.value >= p.lo && p.value <= p.hi, "a loaded parameter within its bounds");
    }
}

// What the program's exit save makes of text: the parameters, then the four
// font records, each stored as its own save stores it.
std::string save(std::string_view text, const Loaded& from) {
    ProfileFile file(text);
    storeParameters(file, from.params);
    storeFont(file, from.fonts.GraFont, "GraFont");
    storeFont(file, from.fonts.CtlFont, "CtlFont");
    storeFont(file, from.fonts.TextFont, "TextFont");
    storeFont(file, from.fonts.lfEd, "lfEd");
    return file.text();
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
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Loaded first;
    load(input, first);
    const std::string saved = save(input, first);

    Loaded second;
    load(saved, second);
    if (second.warnings.count != 0) {
        std::fprintf(stderr, "%s\n", second.warnings.last.c_str());
    }
    FUZZ_CHECK(second.warnings.count == 0, "a saved file reloads without a warning");
    FUZZ_CHECK(save(saved, second) == saved, "saving what was loaded changes nothing");

    Loaded third;
    load(saved, third);
    FUZZ_CHECK(sameParams(second.params, third.params), "parameters reload the same");
    FUZZ_CHECK(sameFonts(second.fonts, third.fonts), "fonts reload the same");
    return 0;
}
