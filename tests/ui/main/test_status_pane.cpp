// The status strip: result texts, layout arithmetic, the toggles with the
// enabling rule, and what a result line shows.
#include "test_main_window_harness.h"

#include "ui/common/commands.h"

#include <QAction>
#include <QImage>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

LinkResults sampleResults() {
    LinkResults results;
    results.noDiffraction.maxRange = 771.467;
    results.noDiffraction.marginDb = 17.7463;
    results.smoothHill.maxRange = 59.2061;
    results.smoothHill.marginDb = -4.55268;
    results.roughHill.maxRange = 63.2292;
    results.roughHill.marginDb = -3.98165;
    return results;
}

struct TextRow {
    int bDiffract;
    int nHillType;
    const char* line1;
    const char* line2;
    const char* line3;
};

TEST(StatusTexts, CaseInForceChoosesFiguresAndWording) {
    const TextRow rows[] = {
        // clang-format off
        {0, 0, "Max. range (exc. diffr. loss) =    771.467 m", "Margin at nom. range (exc. diffr. loss) =    17.7463 dB", "No diffraction"}, // off: no-diffraction figures
        {0, 1, "Max. range (exc. diffr. loss) =    771.467 m", "Margin at nom. range (exc. diffr. loss) =    17.7463 dB", "No diffraction"}, // whatever the hill type
        {1, 0, "Max. range (inc. diffr. loss) =    59.2061 m", "Margin at nom. range (inc. diffr. loss) =   -4.55268 dB", "Smooth hill"},    // smooth hill
        {1, 1, "Max. range (inc. diffr. loss) =    63.2292 m", "Margin at nom. range (inc. diffr. loss) =   -3.98165 dB", "Rough hill"},     // rough hill
        {1, 7, "Max. range (inc. diffr. loss) =    63.2292 m", "Margin at nom. range (inc. diffr. loss) =   -3.98165 dB", "Rough hill"},     // any non-zero type is rough
        {5, 0, "Max. range (inc. diffr. loss) =    59.2061 m", "Margin at nom. range (inc. diffr. loss) =   -4.55268 dB", "Smooth hill"},    // any non-zero switch is on
        // clang-format on
    };
    const LinkResults results = sampleResults();
    for (const TextRow& row : rows) {
        LinkParams params;
        params.bDiffract = row.bDiffract;
        params.nHillType = row.nHillType;
        const auto texts = resultLineTexts(results, params);
        EXPECT_EQ(texts[0], row.line1) << row.bDiffract << "/" << row.nHillType;
        EXPECT_EQ(texts[1], row.line2) << row.bDiffract << "/" << row.nHillType;
        EXPECT_EQ(texts[2], row.line3) << row.bDiffract << "/" << row.nHillType;
    }
}

struct NumberRow {
    double maxRange;
    const char* line1;
};

TEST(StatusTexts, NumbersInTenCharactersWithThreeDigitExponents) {
    const NumberRow rows[] = {
        {DBL_MAX, "Max. range (exc. diffr. loss) = 1.79769e+308 m"},    // PropLaw 0: largest double
        {HUGE_VAL, "Max. range (exc. diffr. loss) =        inf m"},     // Bw 0, positive law
        {std::nan(""), "Max. range (exc. diffr. loss) =        nan m"}, // negative temperature
        {0.0, "Max. range (exc. diffr. loss) =          0 m"},          // Bw 0, negative law
        {1234567.0, "Max. range (exc. diffr. loss) = 1.23457e+006 m"},  // seven digits
    };
    for (const NumberRow& row : rows) {
        LinkResults results;
        results.noDiffraction.maxRange = row.maxRange;
        EXPECT_EQ(resultLineTexts(results, LinkParams())[0], row.line1);
    }
}

struct LayoutRow {
    int cw, ch, h, c, f;
    QRect line1, line2, line3, hillType, diffraction;
};

TEST(StatusLayout, ColumnsRowsAndButtons) {
    const LayoutRow rows[] = {
        // clang-format off
        {632, 41, 13, 6, 2, {2, 1, 438, 19},  {2, 21, 438, 19},  {444, 1, 185, 19},  {444, 21, 89, 19},  {539, 21, 89, 19}}, // normal size, by hand
        {1000, 100, 20, 8, 4, {4, 13, 692, 30}, {4, 56, 692, 30}, {704, 13, 292, 30}, {704, 56, 142, 30}, {854, 56, 142, 30}}, // wide pane
        {10, 10, 13, 6, 2, {2, -9, 3, 19},    {2, 1, 3, 19},     {9, -9, -1, 19},    {9, 1, -3, 19},     {12, 1, -3, 19}},   // narrow: negative sizes kept, truncation toward zero
        // clang-format on
    };
    for (const LayoutRow& row : rows) {
        const auto places = statusPaneLayout(row.cw, row.ch, row.h, row.c, row.f);
        EXPECT_EQ(places[0], row.line1) << row.cw;
        EXPECT_EQ(places[1], row.line2) << row.cw;
        EXPECT_EQ(places[2], row.line3) << row.cw;
        EXPECT_EQ(places[3], row.hillType) << row.cw;
        EXPECT_EQ(places[4], row.diffraction) << row.cw;
    }
}

// Is every control that follows the diffraction switch in the given state?
void expectDiffractionControls(Program& program, bool enabled) {
    EXPECT_EQ(program.status()->hillTypeButton()->isEnabled(), enabled);
    EXPECT_TRUE(program.status()->diffractionButton()->isEnabled());
    EXPECT_EQ(program.window->commandAction(IDM_DIFFRACTION)->isEnabled(), enabled);
    for (int index = FieldX12s; index <= FieldY03s; ++index) {
        EXPECT_EQ(program.diagram()->field(index)->isEnabled(), enabled) << index;
    }
    for (int index : {FieldPt, FieldRange, FieldPropLaw, FieldBl}) {
        EXPECT_TRUE(program.diagram()->field(index)->isEnabled()) << index;
    }
}

TEST(StatusToggles, ButtonsSwitchAndTheLinesFollowAfterTheRecalculation) {
    Program program(std::string("[Tarsel]\ny02s=5\n"));
    program.settle();
    EXPECT_EQ(program.line(2), QStringLiteral("No diffraction"));
    expectDiffractionControls(program, false);

    QTest::mouseClick(program.status()->diffractionButton(), Qt::LeftButton);
    EXPECT_EQ(program.state.params.bDiffract, 1);
    EXPECT_FALSE(program.state.bFieldsRefreshed);
    EXPECT_EQ(program.line(2), QStringLiteral("No diffraction")); // not yet recalculated
    program.settle();
    // Hill 5 m high halfway along the default link.
    EXPECT_EQ(program.line(0), QStringLiteral("Max. range (inc. diffr. loss) =    59.2061 m"));
    EXPECT_EQ(program.line(1),
              QStringLiteral("Margin at nom. range (inc. diffr. loss) =   -4.55268 dB"));
    EXPECT_EQ(program.line(2), QStringLiteral("Smooth hill"));
    expectDiffractionControls(program, true);

    QTest::mouseClick(program.status()->hillTypeButton(), Qt::LeftButton);
    program.settle();
    EXPECT_EQ(program.state.params.nHillType, 1);
    EXPECT_EQ(program.line(0), QStringLiteral("Max. range (inc. diffr. loss) =    63.2292 m"));
    EXPECT_EQ(program.line(2), QStringLiteral("Rough hill"));

    QTest::mouseClick(program.status()->hillTypeButton(), Qt::LeftButton);
    program.settle();
    EXPECT_EQ(program.state.params.nHillType, 0);
    EXPECT_EQ(program.line(2), QStringLiteral("Smooth hill"));

    QTest::mouseClick(program.status()->diffractionButton(), Qt::LeftButton);
    program.settle();
    EXPECT_EQ(program.state.params.bDiffract, 0);
    EXPECT_EQ(program.line(0), QStringLiteral("Max. range (exc. diffr. loss) =    771.467 m"));
    expectDiffractionControls(program, false);
}

TEST(StatusToggles, StoredHillTypeSevenBecomesZeroOnFirstPress) {
    Program program(std::string("[Tarsel]\nnHillType=7\nbDiffract=1\n"));
    program.settle();
    EXPECT_EQ(program.line(2), QStringLiteral("Rough hill"));
    expectDiffractionControls(program, true);
    QTest::mouseClick(program.status()->hillTypeButton(), Qt::LeftButton);
    program.settle();
    EXPECT_EQ(program.state.params.nHillType, 0);
    EXPECT_EQ(program.line(2), QStringLiteral("Smooth hill"));
}

TEST(StatusToggles, PropagationLawZeroShowsTheLargestRange) {
    Program program(std::string("[Tarsel]\nPropLaw=0\n"));
    program.settle();
    EXPECT_EQ(program.line(0), QStringLiteral("Max. range (exc. diffr. loss) = 1.79769e+308 m"));
}

TEST(StatusLine, TextStartsAtTheLeftOnGrey) {
    Program program;
    program.settle();
    ResultLine* line = program.status()->resultLine(0);
    const QImage image = line->grab().toImage();
    const QRect client = line->contentsRect();
    const QColor grey(192, 192, 192);
    // The far right of the line is background; the first columns carry ink.
    EXPECT_EQ(image.pixelColor(client.right() - 1, client.center().y()), grey);
    bool ink = false;
    for (int x = client.left(); x < client.left() + 40 && !ink; ++x) {
        for (int y = client.top(); y <= client.bottom(); ++y) {
            ink = ink || image.pixelColor(x, y).lightness() < 100;
        }
    }
    EXPECT_TRUE(ink);
    // The frame is one dark pixel.
    EXPECT_LT(image.pixelColor(0, client.center().y()).lightness(), 100);
}

} // namespace
} // namespace tarsel::testing
