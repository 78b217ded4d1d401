#include "contact_sheet.h"

#include "support/figure_files.h"

#include <gtest/gtest.h>

namespace {

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == QColor(Qt::black);
}

} // namespace

TEST(ContactSheet, LaysTheThumbnailsOutLikeTheSelectionDialog) {
    std::vector<FigureRecord> figures(14, BigSquare());
    figures[12][0].Orient = 200; // figure 13 is damaged
    const QImage sheet = DrawContactSheet(figures, {});
    // Twelve across, 100 pixels apart; 85 pixels a row.
    EXPECT_EQ(sheet.size(), QSize(1200, 170));
    EXPECT_TRUE(IsBlack(sheet, 0, 40));                         // a cell's outline
    EXPECT_EQ(sheet.pixelColor(10, 60), QColor(192, 192, 192)); // silver inside it
    EXPECT_NE(sheet.pixelColor(95, 40), QColor(192, 192, 192)); // the gap between cells
    EXPECT_TRUE(IsBlack(sheet, 100 + 45, 15 + 30));             // figure 2 at its own place
    EXPECT_FALSE(IsBlack(sheet, 45, 85 + 15 + 30));             // figure 13 shows no triangle
    EXPECT_TRUE(IsBlack(sheet, 100 + 45, 85 + 15 + 30));        // figure 14, second row
    EXPECT_EQ(sheet.pixelColor(200 + 45, 85 + 15 + 30), QColor(212, 208, 200)); // no figure 15
}

TEST(ContactSheet, DrawsTheChosenRangeAtTheChosenScale) {
    std::vector<FigureRecord> figures{SoundHouse(), BigSquare()};
    SheetLayout layout;
    layout.First = 2;
    layout.Scale = 2;
    const QImage sheet = DrawContactSheet(figures, layout);
    EXPECT_EQ(sheet.size(), QSize(200, 170));
    // The big square's corner cell (35, 20) lies at pixel (35, 35) before scaling.
    EXPECT_TRUE(IsBlack(sheet, 2 * 35 + 1, 2 * 35 + 1));
    EXPECT_FALSE(IsBlack(sheet, 2 * 33 - 1, 2 * 35 + 1));
}
