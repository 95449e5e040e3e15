#include "engine/link_params.h"
#include "settings/settings.h"
#include "tests/settings/recording_sink.h"
#include "tests/settings/temp_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tarsel {
namespace {

using test::RecordingSink;

std::string dataFile(const char* name) {
    return std::string(TARSEL_TEST_DATA_DIR) + "/" + name;
}

struct Loaded {
    LinkParams params;
    FontRecords fonts;
    RecordingSink sink;
};

Loaded load(const char* fixture) {
    Loaded out;
    LoadSettings(dataFile(fixture), out.params, out.fonts, out.sink);
    return out;
}

// ---------------------------------------------------------------------------
// Parameters after a load.

struct ParamCase {
    const char* fixture;
    int field;
    double expected;
};

// clang-format off
const ParamCase paramCases[] = {
    // fixture                   field         expected
    {"missing.ini",              FieldRange,   100},          // no file: defaults
    {"missing.ini",              FieldX12s,    50},           // no file: half the range
    {"missing.ini",              FieldX23s,    50},           // no file: half the range
    {"missing.ini",              FieldFcent,   2.45e9},       // no file: default
    {"missing.ini",              FieldRhill,   0.05},         // no file: default
    {"missing.ini",              FieldTemp,    290},          // no file: default
    {"only_range.ini",           FieldRange,   2000},         // stored value
    {"only_range.ini",           FieldX12s,    1000},         // half the stored range
    {"only_range.ini",           FieldX23s,    1000},         // half the stored range
    {"range_without_x12s.ini",   FieldX12s,    617284},       // 617283.5 through its six-digit text
    {"range_without_x12s.ini",   FieldX23s,    617284},       // likewise
    {"bad_pt_text.ini",          FieldPt,      -10},          // rejected: default
    {"bad_pt_range.ini",         FieldPt,      -10},          // rejected: default
    {"bad_range.ini",            FieldRange,   100},          // infinity rejected: default
    {"bad_range.ini",            FieldX12s,    50},           // half the default range
    {"bad_range.ini",            FieldX23s,    30},           // stored, no coupling on load
    {"long_values.ini",          FieldFcent,   1234567890123456789.0}, // first 19 characters only
    {"long_values.ini",          FieldPt,      12},           // the cut leaves "12" and blanks
    {"long_values.ini",          FieldGt,      1},            // the cut drops the bad tail
    {"mixed_case.ini",           FieldPt,      -5},           // section and key in other cases
    {"mixed_case.ini",           FieldFcent,   1e9},          // likewise
};
// clang-format on

TEST(LoadSettings, Parameters) {
    for (const ParamCase& c : paramCases) {
        Loaded loaded = load(c.fixture);
        EXPECT_EQ(paramForField(loaded.params, c.field)->value, c.expected)
            << c.fixture << " field " << c.field;
    }
}

struct WarningCase {
    const char* fixture;
    std::vector<std::string> expected;
};

const WarningCase warningCases[] = {
    {"missing.ini", {}},
    {"only_range.ini", {}},
    {"bad_pt_text.ini", {"Invalid number format: abc"}},
    {"bad_pt_range.ini", {"Number 500 out of range:[                -300,                 120]"}},
    {"bad_range.ini", {"Number 1e400 out of range:[                   0,        1.79769e+308]"}},
    {"long_values.ini", {}},
    {"wide_columns.ini", {}}, // integers are not checked
    {"mixed_case.ini", {}},
};

TEST(LoadSettings, OneWarningPerRejectedValue) {
    for (const WarningCase& c : warningCases) {
        Loaded loaded = load(c.fixture);
        EXPECT_EQ(loaded.sink.texts(), c.expected) << c.fixture;
        for (const Warning& w : loaded.sink.warnings) {
            EXPECT_EQ(w.title, "Error");
            EXPECT_EQ(w.icon, WarningIcon::Warning);
        }
    }
}

TEST(LoadSettings, SetsTheBounds) {
    LinkParams params;
    for (int i = 0; i < FieldCount; ++i) {
        *paramForField(params, i) = RangedValue{};
    }
    params.XColWid = RangedInt{};
    FontRecords fonts;
    RecordingSink sink;
    LoadSettings(dataFile("missing.ini"), params, fonts, sink);
    EXPECT_EQ(params.Temp.lo, -273.15);
    EXPECT_EQ(params.Temp.hi, 1e6);
    EXPECT_EQ(params.Bw.hi, 1e12);
    EXPECT_EQ(params.y02s.lo, -DblMax);
    EXPECT_EQ(params.X12s.hi, DblMax);
    EXPECT_EQ(params.PropLaw.lo, -20);
    EXPECT_EQ(params.XColWid.value, 13);
    EXPECT_EQ(params.XColWid.lo, 10);
    EXPECT_EQ(params.XColWid.hi, 20);
    EXPECT_TRUE(sink.warnings.empty());
}

TEST(LoadSettings, IntegersAsStored) {
    Loaded wide = load("wide_columns.ini");
    EXPECT_EQ(wide.params.XColWid.value, 50);
    EXPECT_EQ(wide.params.XColWid.lo, 10);
    EXPECT_EQ(wide.params.XColWid.hi, 20);
    EXPECT_EQ(wide.params.nHillType, 7);
    EXPECT_EQ(wide.params.bDiffract, -3);
    Loaded mixed = load("mixed_case.ini");
    EXPECT_EQ(mixed.params.XColWid.value, 15);
    Loaded none = load("missing.ini");
    EXPECT_EQ(none.params.nHillType, 0);
    EXPECT_EQ(none.params.bDiffract, 0);
}

// ---------------------------------------------------------------------------
// Font records after a load.

TEST(LoadSettings, FontDefaultsWithoutFile) {
    Loaded loaded = load("missing.ini");
    for (const LogFont* font : {&loaded.fonts.GraFont, &loaded.fonts.CtlFont}) {
        EXPECT_STREQ(font->lfFaceName, "System");
        EXPECT_EQ(font->lfHeight, -10);
        EXPECT_EQ(font->lfWeight, 400);
    }
    EXPECT_STREQ(loaded.fonts.TextFont.lfFaceName, "Courier");
}

TEST(LoadSettings, FontFieldsFromFile) {
    Loaded loaded = load("italic_257.ini");
    const LogFont& gra = loaded.fonts.GraFont;
    EXPECT_EQ(gra.lfItalic, 1); // low 8 bits of 257
    EXPECT_EQ(gra.lfWeight, 700);
    EXPECT_EQ(gra.lfHeight, -10);                                    // missing key: default
    EXPECT_STREQ(gra.lfFaceName, "An extremely long font face nam"); // 31 characters
    EXPECT_STREQ(loaded.fonts.CtlFont.lfFaceName, "System");

    Loaded mixed = load("mixed_case.ini");
    EXPECT_STREQ(mixed.fonts.GraFont.lfFaceName, "Arial");
    EXPECT_EQ(mixed.fonts.GraFont.lfHeight, -12);
}

TEST(LoadSettings, EntryFontKeepsWhatIsNotStored) {
    LinkParams params;
    FontRecords fonts;
    setFaceName(fonts.lfEd, "DejaVu Sans");
    fonts.lfEd.lfWeight = 500;
    fonts.lfEd.lfHeight = -13;
    RecordingSink sink;
    LoadSettings(dataFile("italic_257.ini"), params, fonts, sink);
    EXPECT_EQ(fonts.lfEd.lfHeight, -20); // stored
    EXPECT_EQ(fonts.lfEd.lfWeight, 500); // kept
    EXPECT_STREQ(fonts.lfEd.lfFaceName, "DejaVu Sans");
}

struct ByteCase {
    const char* stored;
    int expected;
};

// clang-format off
const ByteCase byteCases[] = {
    // stored        expected
    {"255",          255},  // largest byte
    {"256",          0},    // just beyond: low 8 bits
    {"257",          1},    // documented example
    {"-1",           255},  // low 8 bits of -1
    {"x",            0},    // no digits reads 0
};
// clang-format on

TEST(LoadSettings, OneByteFieldsKeepLowEightBits) {
    for (const ByteCase& c : byteCases) {
        test::TempFolder folder;
        const std::string path = folder.file("Tarsel.ini");
        test::writeFile(path, std::string("[TextFont]\nlfCharSet=") + c.stored + "\n");
        LinkParams params;
        FontRecords fonts;
        RecordingSink sink;
        LoadSettings(path, params, fonts, sink);
        EXPECT_EQ(fonts.TextFont.lfCharSet, c.expected) << c.stored;
    }
}

TEST(LoadSettings, GarbageFileGivesDefaults) {
    test::TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    std::mt19937 random(777);
    std::string garbage;
    for (int i = 0; i < 1 << 20; ++i) {
        garbage.push_back(static_cast<char>(random() & 0xFF));
    }
    test::writeFile(path, garbage);
    LinkParams params;
    FontRecords fonts;
    RecordingSink sink;
    LoadSettings(path, params, fonts, sink);
    EXPECT_TRUE(sink.warnings.empty());
    EXPECT_EQ(params.Range.value, 100);
    EXPECT_EQ(params.X12s.value, 50);
    EXPECT_STREQ(fonts.TextFont.lfFaceName, "Courier");
}

} // namespace
} // namespace tarsel
