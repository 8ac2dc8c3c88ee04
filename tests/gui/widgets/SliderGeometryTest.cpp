// Value <-> pixel rules of the slider thumbs.
#include <gtest/gtest.h>

#include "SliderGeometry.h"

namespace {

SliderGeometry Horizontal(int minPos, int maxPos, RECT track, int thumbW = 10, int thumbH = 20)
{
    SliderGeometry g;
    g.positionMin = minPos;
    g.positionMax = maxPos;
    LayoutHorizontal(g, track, thumbW, thumbH);
    return g;
}

SliderGeometry Vertical(int minPos, int maxPos, RECT track, int thumbW = 20, int thumbH = 10)
{
    SliderGeometry g;
    g.positionMin = minPos;
    g.positionMax = maxPos;
    LayoutVertical(g, track, thumbW, thumbH);
    return g;
}

}  // namespace

TEST(SliderGeometry, HorizontalCentresThumbOnTrackPositions)
{
    // Range 0..10 over a 100-pixel track: position 5 has its centre 50
    // pixels from the left edge, the ends sit on the edges.
    SliderGeometry g = Horizontal(0, 10, {20, 0, 120, 20});
    EXPECT_EQ(10, g.span);
    EXPECT_FLOAT_EQ(10.0f, g.pixelsPerStep);
    EXPECT_EQ(15, g.trackStart);
    EXPECT_EQ(115, g.trackEnd);
    EXPECT_EQ(20 + 50, PixelOfPosition(g, 5) + g.halfThumbWidth);
    EXPECT_EQ(20, PixelOfPosition(g, 0) + g.halfThumbWidth);
    EXPECT_EQ(120, PixelOfPosition(g, 10) + g.halfThumbWidth);
    EXPECT_EQ(11u, g.pixelOfPosition.size());
    // A press far beyond the right end reads as the last position once
    // clamped to the track.
    EXPECT_EQ(10, HorizontalPixelToPosition(g, ClampHorizontalEdge(g, 500)));
    EXPECT_EQ(0, HorizontalPixelToPosition(g, -50));
}

TEST(SliderGeometry, HorizontalRoundsVerticalTruncates)
{
    SliderGeometry h = Horizontal(0, 10, {0, 0, 100, 20});
    // 1.9 steps past position 3: horizontal rounds to 5, vertical truncates to 4.
    EXPECT_EQ(5, HorizontalPixelToPosition(h, h.trackStart + 49));
    EXPECT_EQ(4, HorizontalPixelToPosition(h, h.trackStart + 44));

    SliderGeometry v = Vertical(0, 10, {0, 0, 20, 100});
    EXPECT_EQ(95, v.trackStart);  // bottom limit
    EXPECT_EQ(-5, v.trackEnd);    // top limit
    EXPECT_EQ(4, VerticalPixelToPosition(v, v.trackStart - 49));
    EXPECT_EQ(95 - 50, PixelOfPosition(v, 5));
    // Below the bottom limit reads as position 0; values grow upward.
    EXPECT_EQ(0, VerticalPixelToPosition(v, 300));
    EXPECT_EQ(10, VerticalPixelToPosition(v, ClampVerticalEdge(v, -100)));
}

TEST(SliderGeometry, MapNeverPassesTheTrackLimit)
{
    // 3 positions over 10 pixels: truncation keeps every pixel inside.
    SliderGeometry g = Horizontal(0, 3, {0, 0, 10, 10}, 4, 4);
    for (auto& kv : g.pixelOfPosition)
        EXPECT_LE(kv.second, g.trackEnd);
    SliderGeometry v = Vertical(0, 7, {0, 0, 10, 9}, 4, 4);
    for (auto& kv : v.pixelOfPosition)
        EXPECT_GE(kv.second, v.trackEnd);
}

TEST(SliderGeometry, OnePositionRangeHasNoDivisionAndReadsTheOffset)
{
    // Never set (0..0), minimum equal to maximum, and an inverted range:
    // the thumb sits at the track start and every pixel reads position 0.
    for (int maxPos : {0, -3}) {
        SliderGeometry g = Horizontal(0, maxPos, {0, 0, 100, 20});
        EXPECT_EQ(0.0f, g.pixelsPerStep);
        EXPECT_EQ(g.trackStart, PixelOfPosition(g, 0));
        EXPECT_EQ(g.trackStart, PixelOfPosition(g, 7));
        EXPECT_EQ(0, HorizontalPixelToPosition(g, 80));
        EXPECT_EQ(0, ClampPosition(g, 5));
        SliderGeometry v = Vertical(0, maxPos, {0, 0, 20, 100});
        EXPECT_EQ(0, VerticalPixelToPosition(v, 3));
        EXPECT_EQ(v.trackStart, PixelOfPosition(v, 2));
    }
    // A zero-length track with a real range also reads the first position.
    SliderGeometry flat = Horizontal(0, 10, {30, 0, 30, 20});
    EXPECT_EQ(0, HorizontalPixelToPosition(flat, 200));
    EXPECT_EQ(flat.trackStart, PixelOfPosition(flat, 10));
}

TEST(SliderGeometry, MultiThumbRangeValuesAndCaps)
{
    SliderGeometry g;
    SetValueRange(g, 1, 32);
    EXPECT_EQ(0, g.positionMin);
    EXPECT_EQ(31, g.positionMax);
    EXPECT_EQ(1, g.offset);
    EXPECT_EQ(32, g.valueMax);
    EXPECT_EQ(0, PositionForValue(g, -4));   // below the offset: position 0
    EXPECT_EQ(31, PositionForValue(g, 99));
    EXPECT_EQ(9, PositionForValue(g, 10));
    CapRange c = ClampCapRange(g, -5, 40);
    EXPECT_EQ(0, c.capMin);
    EXPECT_EQ(31, c.capMax);
}

TEST(SliderGeometry, TooltipAnchorsAndPlacement)
{
    EXPECT_EQ(-2, TooltipAnchor(0, 10, 20).x);
    EXPECT_EQ(10, TooltipAnchor(0, 10, 20).y);
    EXPECT_EQ(12, TooltipAnchor(1, 10, 20).x);
    EXPECT_EQ(-2, TooltipAnchor(2, 10, 20).y);
    EXPECT_EQ(22, TooltipAnchor(3, 10, 20).y);
    POINT a{100, 100};
    POINT left = TooltipPlacement(0, a, 40, 20);
    EXPECT_EQ(60, left.x);
    EXPECT_EQ(90, left.y);
    POINT right = TooltipPlacement(1, a, 40, 20);
    EXPECT_EQ(100, right.x);
    EXPECT_EQ(90, right.y);
    POINT top = TooltipPlacement(2, a, 40, 20);
    EXPECT_EQ(80, top.x);
    EXPECT_EQ(80, top.y);
    POINT bottom = TooltipPlacement(3, a, 40, 20);
    EXPECT_EQ(80, bottom.x);
    EXPECT_EQ(100, bottom.y);
}
