// Copy Data within its ceiling: whole on the clipboard; beyond it nothing is
// copied, the making stops, and Save Data is offered.
#include "fake_services.h"

#include "ui/common/clipboard_copy.h"

#include <QApplication>
#include <QClipboard>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

TEST(ClipboardCopy, CopiesWithinTheLimitAndOffersSavingBeyond) {
    struct Row {
        int pieces; // of 1000 bytes each, offered by the producer
        int answer; // question boxes answered with Save Data
        bool copied;
        int made;  // pieces the producer got to make
        int saves; // Save Data runs
    };
    const Row rows[] = {
        {4, 0, true, 4, 0},   // exactly at the limit
        {5, 0, false, 5, 0},  // one piece too many: the producer stops there
        {50, 0, false, 5, 0}, // far beyond: stopped as early
        {50, 1, false, 5, 1}, // the user takes Save Data
    };
    for (const Row& row : rows) {
        FakeServices services;
        services.askAnswers = row.answer;
        QApplication::clipboard()->setText(QStringLiteral("before"));
        int made = 0;
        int saves = 0;
        const bool copied = copyWithinLimit(
            services, nullptr, 4000,
            [&](const PieceWriter& write) {
                for (int i = 0; i < row.pieces; ++i) {
                    ++made;
                    if (!write(std::string(1000, 'x'))) {
                        return false;
                    }
                }
                return true;
            },
            [&] { ++saves; });
        EXPECT_EQ(copied, row.copied) << row.pieces;
        EXPECT_EQ(made, row.made) << row.pieces;
        EXPECT_EQ(saves, row.saves) << row.pieces;
        EXPECT_EQ(services.askTexts.size(), row.copied ? 0 : 1) << row.pieces;
        EXPECT_EQ(QApplication::clipboard()->text().size(), row.copied ? 1000 * row.pieces : 6)
            << row.pieces;
    }
}

} // namespace
} // namespace tarsel::testing
