#include "engine/link_params.h"
#include "settings/settings.h"
#include "tests/settings/recording_sink.h"
#include "tests/settings/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarsel {
namespace {

using test::fixture;
using test::readFile;
using test::RecordingSink;
using test::TempFolder;
using test::writeFile;

// A value as the file holds it: 19 characters, left-aligned.
std::string padded(const std::string& text) {
    return text + std::string(19 - text.size(), ' ');
}

std::string parameterLines() {
    // Every key at its default, in the order the section is written.
    const std::pair<const char*, const char*> defaults[] = {
        {"fcent", "2.45e+009"},
        {"Pt", "-10"},
        {"Gt", "0"},
        {"Gr", "6"},
        {"Nf", "6"},
        {"Bw", "1e+006"},
        {"Mf", "20"},
        {"Bl", "0"},
        {"Temp", "290"},
        {"Sn", "16"},
        {"IpInt", "5"},
        {"Range", "100"},
        {"XColWid", "13"},
        {"PropLaw", "2"},
        {"X12s", "50"},
        {"X23s", "50"},
        {"Rhill", "0.05"},
        {"nHillType", "0"},
        {"y01s", "2"},
        {"y02s", "0"},
        {"y03s", "2"},
        {"bDiffract", "0"},
    };
    std::string out;
    for (const auto& [key, text] : defaults) {
        out += std::string(key) + "=" + padded(text) + "\n";
    }
    return out;
}

TEST(SaveSettings, FirstSaveWritesTheSectionInOrder) {
    TempFolder folder;
    const std::string path = folder.file("config/Tarsel.ini"); // folder made on save
    RecordingSink sink;
    SaveSettings(path, 0, LinkParams{}, nullptr, "", sink);
    EXPECT_TRUE(sink.warnings.empty());
    EXPECT_EQ(readFile(path), "[Tarsel]\n" + parameterLines());
}

TEST(SaveSettings, ExistingFileKeepsEveryLineInItsPlace) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, fixture("existing.ini"));
    LinkParams params;
    params.Pt.value = -20;
    RecordingSink sink;
    SaveSettings(path, 0, params, nullptr, "", sink);
    EXPECT_TRUE(sink.warnings.empty());
    const std::string lines = parameterLines();
    // The three stored keys change in place; the others follow the last key.
    std::string rest;
    for (const char* key :
         {"Gt", "Gr", "Nf", "Bw", "Mf", "Bl", "Temp", "Sn", "IpInt", "XColWid", "PropLaw", "X12s",
          "X23s", "Rhill", "nHillType", "y01s", "y02s", "y03s", "bDiffract"}) {
        const std::size_t at = lines.find(std::string("\n").append(key).append("=")) + 1;
        rest += lines.substr(at, lines.find('\n', at) + 1 - at);
    }
    std::string expected = "; Settings of the link calculator\n[Other]\nPt=99\n\n";
    expected += "[Tarsel]\n; transmitter\n";
    expected += "Pt=" + padded("-20") + "\n";
    expected += "Comment = not ours\n";
    expected += "  fcent =" + padded("2.45e+009") + "\n"; // the text before '=' stays
    expected += "Range=" + padded("100") + "\n";
    expected += rest;
    expected += "\n[GraFont]\nlfHeight=-16\n";
    EXPECT_EQ(readFile(path), expected);
}

TEST(SaveSettings, CrlfFileStaysCrlf) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "[Tarsel]\r\nPt=1\r\n");
    RecordingSink sink;
    SaveSettings(path, 0, LinkParams{}, nullptr, "", sink);
    const std::string text = readFile(path);
    EXPECT_EQ(text.rfind("[Tarsel]\r\nPt=" + padded("-10") + "\r\nfcent=", 0), 0u) << text;
    std::size_t bare = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bare += text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
    }
    EXPECT_EQ(bare, 0u);
}

// ---------------------------------------------------------------------------
// Values keep six significant digits through a save and a load.

struct RoundTripCase {
    int field;
    double saved;
    double loaded;
};

// clang-format off
const RoundTripCase roundTripCases[] = {
    // field        saved                   loaded
    {FieldFcent,    2451234567.0,           2451230000.0},   // documented example
    {FieldRange,    1234567.0,              1234570.0},      // rounded up
    {FieldX12s,     0.000123456789,         0.000123457},    // small, exponent form
    {FieldX23s,     999999.7,               1e6},            // rounds into the next decade
    {FieldTemp,     -273.15,                -273.15},        // lower bound itself
    {FieldPt,       120.0,                  120.0},          // upper bound itself
    {FieldY01s,     1e-300,                 1e-300},         // three-digit exponent
    {FieldY02s,     -1.5e300,               -1.5e300},       // large negative
    {FieldRhill,    1.7976931348623157e308, 1.79769e308},    // largest double
    {FieldBw,       0.0,                    0.0},            // zero
};
// clang-format on

TEST(SaveSettings, RoundTripAtSixDigits) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    LinkParams params;
    for (const RoundTripCase& c : roundTripCases) {
        paramForField(params, c.field)->value = c.saved;
    }
    params.XColWid.value = -2147483647 - 1;
    params.nHillType = 1;
    params.bDiffract = 2147483647;
    RecordingSink sink;
    SaveSettings(path, 0, params, nullptr, "", sink);

    LinkParams back;
    FontRecords fonts;
    LoadSettings(path, back, fonts, sink);
    EXPECT_TRUE(sink.warnings.empty());
    for (const RoundTripCase& c : roundTripCases) {
        EXPECT_EQ(paramForField(back, c.field)->value, c.loaded) << "field " << c.field;
    }
    EXPECT_EQ(back.XColWid.value, -2147483647 - 1);
    EXPECT_EQ(back.nHillType, 1);
    EXPECT_EQ(back.bDiffract, 2147483647);
}

// ---------------------------------------------------------------------------
// Font sections.

LogFont editFont() {
    LogFont font;
    font.lfHeight = -13;
    font.lfWidth = 7;
    font.lfWeight = 700;
    font.lfItalic = 255;
    font.lfPitchAndFamily = 49;
    setFaceName(font, "DejaVu Sans Mono");
    return font;
}

TEST(SaveSettings, NewFontSectionFaceNameFirst) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "[Tarsel]\nPt=3\n");
    RecordingSink sink;
    const LogFont font = editFont();
    SaveSettings(path, 2, LinkParams{}, &font, "lfEd", sink);
    EXPECT_TRUE(sink.warnings.empty());
    EXPECT_EQ(readFile(path), "[Tarsel]\nPt=3\n\n[lfEd]\n"
                              "lfFaceName=DejaVu Sans Mono\n"
                              "lfWidth=7\n"
                              "lfHeight=-13\n"
                              "lfEscapement=0\n"
                              "lfOrientation=0\n"
                              "lfWeight=700\n"
                              "lfItalic=255\n"
                              "lfUnderline=0\n"
                              "lfStrikeOut=0\n"
                              "lfCharSet=0\n"
                              "lfOutPrecision=0\n"
                              "lfClipPrecision=0\n"
                              "lfQuality=0\n"
                              "lfPitchAndFamily=49\n");

    // And it loads back as it was.
    LinkParams params;
    FontRecords fonts;
    LoadSettings(path, params, fonts, sink);
    EXPECT_STREQ(fonts.lfEd.lfFaceName, "DejaVu Sans Mono");
    EXPECT_EQ(fonts.lfEd.lfHeight, -13);
    EXPECT_EQ(fonts.lfEd.lfItalic, 255);
    EXPECT_EQ(fonts.lfEd.lfPitchAndFamily, 49);
}

TEST(SaveSettings, ExistingFontSectionKeysKeepTheirPlace) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "[GraFont]\nlfWeight=400\n; mine\nLFHEIGHT=-10\n[Tarsel]\nPt=3\n");
    RecordingSink sink;
    const LogFont font = editFont();
    SaveSettings(path, 2, LinkParams{}, &font, "grafont", sink);
    const std::string text = readFile(path);
    EXPECT_EQ(text.rfind("[GraFont]\nlfWeight=700\n; mine\nLFHEIGHT=-13\nlfFaceName=DejaVu Sans "
                         "Mono\nlfWidth=7\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("lfPitchAndFamily=49\n[Tarsel]\nPt=3\n"), std::string::npos) << text;
}

TEST(SaveSettings, OtherModesWriteNothing) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    RecordingSink sink;
    const LogFont font = editFont();
    for (int mode : {-1, 1, 3}) {
        SaveSettings(path, mode, LinkParams{}, &font, "lfEd", sink);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(sink.warnings.empty());
}

// ---------------------------------------------------------------------------
// Failed saves: reported, and the old file (if any) left alone.

TEST(SaveSettings, FailedParameterSaveReportedOnce) {
    TempFolder folder;
    const std::string parent = folder.file("plain");
    writeFile(parent, "not a folder");
    const std::string path = parent + "/Tarsel.ini";
    RecordingSink sink;
    SaveSettings(path, 0, LinkParams{}, nullptr, "", sink);
    ASSERT_EQ(sink.warnings.size(), 1u);
    const Warning& w = sink.warnings[0];
    EXPECT_EQ(w.text.rfind("Error saving user .INI file\n" + path + ": ", 0), 0u) << w.text;
    EXPECT_EQ(w.title, "Warning");
    EXPECT_EQ(w.icon, WarningIcon::Information);
    EXPECT_EQ(readFile(parent), "not a folder");
}

TEST(SaveSettings, UnreadableFileIsNotOverwritten) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    std::filesystem::create_directory(path);
    RecordingSink sink;
    SaveSettings(path, 0, LinkParams{}, nullptr, "", sink);
    ASSERT_EQ(sink.warnings.size(), 1u);
    EXPECT_EQ(sink.warnings[0].text, "Error saving user .INI file\n" + path + ": Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(SaveSettings, FailedFontSaveWarnsForEveryKey) {
    TempFolder folder;
    const std::string parent = folder.file("plain");
    writeFile(parent, "not a folder");
    RecordingSink sink;
    const LogFont font = editFont();
    SaveSettings(parent + "/Tarsel.ini", 2, LinkParams{}, &font, "CtlFont", sink);
    std::vector<std::string> expected;
    for (const char* key : {"lfFaceName", "lfWidth", "lfHeight", "lfEscapement", "lfOrientation",
                            "lfWeight", "lfItalic", "lfUnderline", "lfStrikeOut", "lfCharSet",
                            "lfOutPrecision", "lfClipPrecision", "lfQuality", "lfPitchAndFamily"}) {
        expected.push_back(std::string("Error saving user .INI file, record=") + key);
    }
    EXPECT_EQ(sink.texts(), expected);
    for (const Warning& w : sink.warnings) {
        EXPECT_EQ(w.title, "Warning");
        EXPECT_EQ(w.icon, WarningIcon::Information);
    }
}

} // namespace
} // namespace tarsel
