// The three font commands of the main window: the dialog, the settings
// section written only on confirmation, the new font and the new layout.
#include "test_main_window_harness.h"

#include "ui/common/commands.h"
#include "ui/common/fonts.h"

#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

LogFont chosenFont() {
    LogFont record;
    record.lfHeight = -21;
    record.lfWeight = 700;
    setFaceName(record, "DejaVu Sans");
    return record;
}

struct FontRow {
    int command;
    const char* section;
};

const FontRow fontRows[] = {
    {IDM_FONT_GRAPHICS, "GraFont"}, // diagram labels
    {IDM_FONT_CONTROL, "CtlFont"},  // status strip
    {IDM_FONT_EDIT, "lfEd"},        // entry fields
};

int relayoutsAfter(const std::vector<int>& ids, std::size_t from) {
    return static_cast<int>(std::count(ids.begin() + static_cast<long>(from), ids.end(),
                                       static_cast<int>(IDM_RELAYOUT)));
}

TEST(MainWindowFonts, CancelledDialogWritesNothingButLaysOutAgain) {
    for (const FontRow& row : fontRows) {
        Program program;
        program.settle();
        const std::size_t before = program.log.ids.size();
        program.window->commandAction(row.command)->trigger();
        EXPECT_EQ(program.services.fontDialogs, 1) << row.section;
        program.settle();
        EXPECT_FALSE(program.settingsText().contains(QStringLiteral("[%1]").arg(row.section)))
            << row.section;
        EXPECT_GE(relayoutsAfter(program.log.ids, before), 1) << row.section;
        EXPECT_EQ(program.diagram()->size(), QSize(632, 378)) << row.section;
    }
}

TEST(MainWindowFonts, ConfirmedDialogWritesItsSectionAtOnce) {
    for (const FontRow& row : fontRows) {
        Program program;
        program.settle();
        program.services.fontAnswer = chosenFont();
        const std::size_t before = program.log.ids.size();
        program.window->commandAction(row.command)->trigger();
        const QString text = program.settingsText();
        EXPECT_TRUE(text.contains(QStringLiteral("[%1]").arg(row.section))) << row.section;
        EXPECT_TRUE(text.contains(QStringLiteral("lfHeight=-21"))) << row.section;
        EXPECT_TRUE(text.contains(QStringLiteral("lfFaceName=DejaVu Sans"))) << row.section;
        EXPECT_FALSE(text.contains(QStringLiteral("[Tarsel]"))) << row.section;
        program.settle();
        EXPECT_GE(relayoutsAfter(program.log.ids, before), 1) << row.section;
    }
}

TEST(MainWindowFonts, NewFontsReachTheirWidgets) {
    Program program;
    program.settle();
    program.services.fontAnswer = chosenFont();

    program.window->commandAction(IDM_FONT_GRAPHICS)->trigger();
    EXPECT_EQ(program.state.graphicsFont.pixelSize(), 21);
    EXPECT_EQ(program.state.graphicsFont.weight(), QFont::Bold);

    program.window->commandAction(IDM_FONT_EDIT)->trigger();
    EXPECT_EQ(program.diagram()->field(FieldRange)->font().pixelSize(), 21);

    program.window->commandAction(IDM_FONT_CONTROL)->trigger();
    program.settle();
    EXPECT_EQ(program.status()->hillTypeButton()->font().pixelSize(), 21);
    // The line height follows the control font; the pane's height does not.
    const int h = QFontMetrics(program.state.controlFont).height();
    EXPECT_EQ(program.status()->resultLine(0)->height(), (3 * h) / 2);
    EXPECT_EQ(program.status()->height(), program.window->statusPaneHeight());
}

TEST(MainWindowFonts, StoredFontRecordsAreUsedAtStart) {
    Program program(std::string("[CtlFont]\nlfHeight=-17\nlfFaceName=DejaVu Sans\n"
                                "[lfEd]\nlfHeight=-15\n"));
    program.settle();
    EXPECT_EQ(program.status()->diffractionButton()->font().pixelSize(), 17);
    EXPECT_EQ(program.diagram()->field(0)->font().pixelSize(), 15);
}

struct ConversionRow {
    int lfHeight;
    int lfWeight;
    int italic;
    int pixelSize; // of the Qt font
    int weight;
};

TEST(FontConversion, RecordToQtFontAndBack) {
    const ConversionRow rows[] = {
        {-10, 400, 0, 10, 400}, // default record: character height 10 px
        {-21, 700, 1, 21, 700}, // bold italic
        {16, 400, 0, 16, 400},  // positive: cell height, taken as the pixel size
        {-1, 100, 0, 1, 100},   // smallest
    };
    for (const ConversionRow& row : rows) {
        LogFont record;
        record.lfHeight = row.lfHeight;
        record.lfWeight = row.lfWeight;
        record.lfItalic = static_cast<std::uint8_t>(row.italic);
        setFaceName(record, "DejaVu Sans");
        const QFont font = fontFromLogFont(record);
        EXPECT_EQ(font.pixelSize(), row.pixelSize) << row.lfHeight;
        EXPECT_EQ(font.weight(), row.weight) << row.lfHeight;
        EXPECT_EQ(font.italic(), row.italic != 0) << row.lfHeight;
        const LogFont back = logFontFromFont(font);
        EXPECT_EQ(back.lfHeight, -row.pixelSize) << row.lfHeight;
        EXPECT_EQ(back.lfWeight, row.weight) << row.lfHeight;
        EXPECT_STREQ(back.lfFaceName, "DejaVu Sans");
    }
}

TEST(FontConversion, WindowsFacesFindRealFacesOfTheirKind) {
    struct Row {
        const char* face;
        int pitchAndFamily;
        bool fixedPitch; // of the face really used
    };
    const Row rows[] = {
        {"Courier", 0, true},        // the text window's default record
        {"Courier New", 0, true},    // well-known fixed faces
        {"Fixedsys", 0, true},       //
        {"System", 0, false},        // labels and status pane
        {"MS Sans Serif", 0, false}, //
        {"NoSuchFace", 0x31, true},  // fixed pitch, modern family
        {"NoSuchFace", 0x22, false}, // swiss
    };
    for (const Row& row : rows) {
        LogFont record;
        setFaceName(record, row.face);
        record.lfPitchAndFamily = static_cast<std::uint8_t>(row.pitchAndFamily);
        EXPECT_EQ(QFontInfo(fontFromLogFont(record)).fixedPitch(), row.fixedPitch) << row.face;
    }
    // The text window draws in a fixed face whatever unknown face is stored.
    LogFont unknown;
    setFaceName(unknown, "NoSuchFace");
    EXPECT_TRUE(QFontInfo(fontFromLogFont(unknown, QStringLiteral("monospace"))).fixedPitch());
}

TEST(FontConversion, UnchangedDialogKeepsTheRecordAndSizesRoundTrip) {
    const FontRecords defaults;
    for (const LogFont& record : {defaults.TextFont, defaults.CtlFont, chosenFont()}) {
        const QFont offered = dialogFont(fontFromLogFont(record));
        // The dialog opens on the face in use, not on a face this system lacks.
        EXPECT_EQ(offered.family(), QFontInfo(fontFromLogFont(record)).family());
        const LogFont same = recordAfterDialog(record, offered, offered);
        EXPECT_EQ(std::memcmp(&same, &record, sizeof record), 0) << record.lfFaceName;
        QFont wholePoints = offered; // the dialog answers in whole points
        wholePoints.setPointSize(offered.pointSize());
        const LogFont rounded = recordAfterDialog(record, offered, wholePoints);
        EXPECT_EQ(std::memcmp(&rounded, &record, sizeof record), 0) << record.lfFaceName;

        QFont bigger = offered;
        bigger.setPointSizeF(offered.pointSizeF() * 2);
        const LogFont resized = recordAfterDialog(record, offered, bigger);
        EXPECT_EQ(resized.lfHeight, -QFontInfo(bigger).pixelSize()) << record.lfFaceName;
        EXPECT_STREQ(resized.lfFaceName, record.lfFaceName);
    }
}

TEST(FontConversion, LongFaceNameIsCutTo31Characters) {
    QFont font(QStringLiteral("A Very Long Font Family Name That Goes On"));
    const LogFont record = logFontFromFont(font);
    EXPECT_STREQ(record.lfFaceName, "A Very Long Font Family Name Th");
}

} // namespace
} // namespace tarsel::testing
