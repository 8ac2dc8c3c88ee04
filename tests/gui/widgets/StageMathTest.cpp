// Stage spreading, cap ranges, grey colours and the marker/fill rules.
#include <gtest/gtest.h>

#include "StageMath.h"

TEST(StageMath, DefaultStagesSpreadEvenly)
{
    EXPECT_EQ((std::vector<int>{8, 15, 22}), DefaultStageTargets(1, 32, 3));
    EXPECT_TRUE(DefaultStageTargets(1, 32, 0).empty());
    EXPECT_EQ((std::vector<int>{5, 5}), DefaultStageTargets(5, 5, 2));
}

TEST(StageMath, CapRangesFollowNeighbours)
{
    EXPECT_EQ((std::vector<StageCap>{{1, 32}, {1, 32}}), FullCapRanges(1, 32, 2));
    EXPECT_EQ((std::vector<StageCap>{{1, 32}}), NeighbourCapRanges({10}, 1, 32));
    EXPECT_EQ((std::vector<StageCap>{{1, 15}, {10, 32}}), NeighbourCapRanges({10, 15}, 1, 32));
    EXPECT_EQ((std::vector<StageCap>{{1, 15}, {12, 22}, {15, 32}}), NeighbourCapRanges({10, 15, 22}, 1, 32));
    EXPECT_TRUE(NeighbourCapRanges({}, 1, 32).empty());
}

TEST(StageMath, GreyColoursOnePerSegment)
{
    // 3 thumbs over 1..32: step 4 * 255 / 31 = 32.
    std::vector<COLORREF> c = GreyStageColours(3, 1, 32);
    ASSERT_EQ(4u, c.size());
    EXPECT_EQ(0x000000u, c[0]);
    EXPECT_EQ(0x202020u, c[1]);
    EXPECT_EQ(0x606060u, c[3]);
    // No thumbs: the single entry 0 of a new slider.
    EXPECT_EQ(std::vector<COLORREF>{0}, GreyStageColours(0, 1, 32));
    // A zero range is guarded: all black, no division.
    EXPECT_EQ((std::vector<COLORREF>{0, 0, 0}), GreyStageColours(2, 7, 7));
    // The level wraps as an 8-bit quantity.
    std::vector<COLORREF> wrap = GreyStageColours(3, 0, 2);  // step 510
    EXPECT_EQ(0xFEFEFEu, wrap[1]);
}

TEST(StageMath, SegmentBoundariesAndClicks)
{
    EXPECT_EQ(5 + 50 + 10, StageBoundaryX(50, 0, 100, 100, 5, 10));
    EXPECT_EQ(15, StageBoundaryX(3, 4, 4, 100, 5, 10));  // zero range
    EXPECT_EQ(16, StageValueAt(50, 0, 100, 1, 32));
    EXPECT_EQ(1, StageValueAt(50, 20, 20, 1, 32));  // zero width
    EXPECT_EQ(1, StageIndexForValue({10, 20}, 15));
    EXPECT_EQ(2, StageIndexForValue({10, 20}, 25));
    EXPECT_EQ(0, StageIndexForValue({}, 25));
}

TEST(StageMath, MarkerValuesClampAndGuardZeroWidth)
{
    EXPECT_EQ(0, MarkerValueAt(-40, 10, 110, 0, 10));   // left of the rectangle
    EXPECT_EQ(10, MarkerValueAt(400, 10, 110, 0, 10));  // right of it
    EXPECT_EQ(5, MarkerValueAt(60, 10, 110, 0, 10));
    EXPECT_EQ(0, MarkerValueAt(60, 10, 10, 0, 10));     // no RECT
    EXPECT_EQ(3, MarkerValueAt(60, 10, 110, 3, 3));     // zero range
    EXPECT_EQ(50, MarkerRevealWidth(100, 5, 0, 10));
    EXPECT_EQ(0, MarkerRevealWidth(100, 5, 4, 4));
    EXPECT_EQ(100, MarkerRevealWidth(100, 15, 0, 10));
}

TEST(StageMath, PercentFillAndAnimationTurns)
{
    EXPECT_EQ(100u, ClampPercent(150));
    EXPECT_EQ(100u, ClampPercent((unsigned)-5));
    EXPECT_EQ(42u, ClampPercent(42));
    EXPECT_EQ(200, FillEndForPercent(0, 2.0f, 150));
    EXPECT_EQ(0, FillEndForPercent(0, 2.0f, 0));
    EXPECT_EQ(43, FillEndForPercent(3, 1.5f, 27));  // 43.5 truncated
    // The bar runs up to 100, then down to 0, then up again.
    int p = 0, step = 1, peak = 0;
    std::vector<int> turns;
    for (int i = 0; i < 250; ++i) {
        p = (int)ClampPercent((unsigned)(p + step));
        int next = NextAnimationStep(p, step);
        if (next != step)
            turns.push_back(p);
        step = next;
        peak = p > peak ? p : peak;
    }
    EXPECT_EQ(100, peak);
    EXPECT_EQ((std::vector<int>{100, 0}), std::vector<int>(turns.begin(), turns.begin() + 2));
}

TEST(StageMath, TraceLinesKeepTheirForms)
{
    EXPECT_EQ(L"CAPMSlider::OnPaint Color(2): 0x202020\n", StageColourTrace(2, 0x202020));
    EXPECT_EQ(L"CAPMSlider::OnPaint Pos(1): 0x17\n", StagePosTrace(1, 17));
    EXPECT_EQ(L"CAPMSlider::OnPaint CurrentRect(3, 40): color(0xff)\n", StageSegmentTrace(3, 40, 0xFF));
}
