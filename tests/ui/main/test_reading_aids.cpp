// What the entry boxes and status buttons tell the user and screen readers,
// and the outline that shows which box has the focus.
#include "test_main_window_harness.h"

#include "engine/link_params.h"
#include "entry/field_description.h"

#include <QImage>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

TEST(ReadingAids, EveryBoxAndButtonNamesItselfAlikeToMouseAndScreenReader) {
    Program program;
    struct Row {
        QWidget* widget;
        std::string expected; // the whole text
    };
    std::vector<Row> rows;
    for (int i = 0; i < FieldCount; ++i) {
        rows.push_back({program.diagram()->field(i), fieldToolTip(i)});
    }
    rows.push_back({program.status()->hillTypeButton(),
                    "Hill Type: switches between the smooth and the rough hill (only while "
                    "diffraction is on)"});
    rows.push_back({program.status()->diffractionButton(),
                    "Diffr. Tog: switches the diffraction loss on or off"});
    for (const Row& row : rows) {
        ASSERT_NE(row.widget, nullptr);
        EXPECT_EQ(row.widget->toolTip().toStdString(), row.expected);
        EXPECT_EQ(row.widget->accessibleName(), row.widget->toolTip());
    }
    // The buttons keep their own texts.
    EXPECT_EQ(program.status()->hillTypeButton()->text(), QStringLiteral("Hill Type"));
    EXPECT_EQ(program.status()->diffractionButton()->text(), QStringLiteral("Diffr. Tog"));
}

TEST(ReadingAids, ResultLinesAreReadAsTheyAreShown) {
    Program program;
    program.settle();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(program.status()->resultLine(i)->accessibleName(), program.line(i));
    }
}

// Whether the pane shows the outline colour around box.
bool outlined(DiagramPane* pane, QLineEdit* box) {
    const QImage shot = pane->grab().toImage();
    const QColor outline = pane->palette().color(QPalette::Highlight);
    // Just above and just below the box's border, where no label lies.
    const QRect r = box->geometry();
    for (const QPoint p :
         {QPoint(r.center().x(), r.top() - 1), QPoint(r.center().x(), r.bottom() + 1)}) {
        if (shot.pixelColor(p * shot.devicePixelRatio()) != outline) {
            return false;
        }
    }
    return true;
}

TEST(ReadingAids, TheFocusedBoxAloneIsOutlined) {
    Program program;
    program.settle();
    program.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(program.window.get()));
    const int boxes[] = {FieldPt, FieldBl, FieldFcent};
    for (const int focused : boxes) {
        program.diagram()->field(focused)->setFocus();
        for (const int other : boxes) {
            EXPECT_EQ(outlined(program.diagram(), program.diagram()->field(other)),
                      other == focused)
                << "focus on " << focused << ", box " << other;
        }
    }
    program.status()->diffractionButton()->setFocus(); // focus off the boxes: no outline
    EXPECT_FALSE(outlined(program.diagram(), program.diagram()->field(FieldFcent)));
}

} // namespace
} // namespace tarsel::testing
