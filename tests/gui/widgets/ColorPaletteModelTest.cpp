#include <gtest/gtest.h>

#include "ColorPaletteModel.h"

TEST(ColorPaletteModel, LayoutTilesCellsAboveCustomButton)
{
    // The popup's 200 x 150 client area.
    PaletteLayout l = ComputePaletteLayout(RECT{0, 0, 200, 150}, true);
    EXPECT_EQ(4, l.content.left);
    EXPECT_EQ(146, l.content.bottom);
    EXPECT_EQ((RECT{4, 121, 196, 146}.top), l.custom.top);
    EXPECT_EQ(196, l.custom.right);
    // Cells cover 4..196 x 4..122 in 8 x 6 truncated steps.
    EXPECT_EQ(4, l.cells[0].left);
    EXPECT_EQ(4 + 192 / 8, l.cells[0].right);
    EXPECT_EQ(4 + 118 / 6, l.cells[0].bottom);
    EXPECT_EQ(196, l.cells[47].right);
    EXPECT_EQ(122, l.cells[47].bottom);
    // Neighbours share edges: no gaps, no overlaps.
    for (int k = 0; k < kPaletteCellCount; ++k) {
        if (k % 8 != 7) {
            EXPECT_EQ(l.cells[k].right, l.cells[k + 1].left) << k;
        }
        if (k < 40) {
            EXPECT_EQ(l.cells[k].bottom, l.cells[k + 8].top) << k;
        }
    }
    PaletteLayout noCustom = ComputePaletteLayout(RECT{0, 0, 200, 150}, false);
    EXPECT_EQ(146, noCustom.cells[47].bottom);
    EXPECT_TRUE(::IsRectEmpty(&noCustom.custom));
}

TEST(ColorPaletteModel, TableLookupAndHitTest)
{
    EXPECT_EQ(0xFFFFFFu, kPaletteColours[0]);
    EXPECT_EQ(0xB469FFu, kPaletteColours[23]);
    EXPECT_EQ(0x400040u, kPaletteColours[47]);
    EXPECT_EQ(17, PaletteCellOfColour(0x0000FF));
    EXPECT_EQ(-1, PaletteCellOfColour(0x123456));
    PaletteLayout l = ComputePaletteLayout(RECT{0, 0, 200, 150}, true);
    EXPECT_EQ(0, PaletteCellAt(l, POINT{5, 5}));
    EXPECT_EQ(47, PaletteCellAt(l, POINT{195, 121}));
    EXPECT_EQ(-1, PaletteCellAt(l, POINT{100, 130}));  // the custom button
    EXPECT_EQ(-1, PaletteCellAt(l, POINT{1, 1}));      // the margin
}

TEST(ColorPaletteModel, ArrowKeysWrapAsThePaletteDoes)
{
    EXPECT_EQ(0, PaletteNavigate(47, VK_RIGHT));  // bottom-right to top-left
    EXPECT_EQ(0xFFFFFFu, kPaletteColours[PaletteNavigate(47, VK_RIGHT)]);
    EXPECT_EQ(8, PaletteNavigate(7, VK_RIGHT));   // row end to next row start
    EXPECT_EQ(0, PaletteNavigate(0, VK_LEFT));    // the first cell stays
    EXPECT_EQ(7, PaletteNavigate(8, VK_LEFT));    // row start to the row above's end
    EXPECT_EQ(43, PaletteNavigate(3, VK_UP));     // top row to bottom row, same column
    EXPECT_EQ(5, PaletteNavigate(45, VK_DOWN));
    EXPECT_EQ(18, PaletteNavigate(10, VK_DOWN));
    EXPECT_EQ(1, PaletteNavigate(-1, VK_RIGHT));  // not in the table: from cell 0
    EXPECT_EQ(-1, PaletteNavigate(5, 'A'));
}

TEST(ColorPaletteModel, OneOutcomePerPalette)
{
    PaletteOutcomeLatch latch;
    EXPECT_TRUE(latch.DeactivationChooses());
    EXPECT_TRUE(latch.Report(PaletteOutcomeLatch::Custom));
    EXPECT_TRUE(latch.CustomPending());
    // The custom request hides the palette; its deactivation must not choose.
    EXPECT_FALSE(latch.DeactivationChooses());
    EXPECT_FALSE(latch.Report(PaletteOutcomeLatch::Choice));
    EXPECT_TRUE(latch.CustomPending());
    latch.Reset();
    EXPECT_TRUE(latch.Report(PaletteOutcomeLatch::Cancel));
    EXPECT_FALSE(latch.CustomPending());
}
