// The arithmetic of a slider thumb on its track: the position range, the
// pixel of every position and the position under a pixel. Plain data, so
// the rules are tested without a window; CSliderBase keeps one of these.
#pragma once
#include <windows.h>

#include <map>

struct SliderGeometry {
    int span = 0;                 // positionMax - positionMin
    float pixelsPerStep = 0.0f;   // track length / span; 0 for a one-position range
    // Limits of the thumb's leading edge in the track's client coordinates.
    // Horizontal: trackStart the left, trackEnd the right limit.
    // Vertical: trackStart the bottom, trackEnd the top limit (values grow upward).
    int trackStart = 0;
    int trackEnd = 0;
    int halfThumbWidth = 0;
    int halfThumbHeight = 0;
    int offset = 0;               // the value of position 0
    int valueMax = 0;             // offset + span
    int positionMin = 0;
    int positionMax = 0;
    RECT layoutRect{};            // the track rectangle grown by half a thumb
    std::map<int, int> pixelOfPosition;
};

// Lay the thumb out over trackRect (the thumb's rectangle at creation).
void LayoutHorizontal(SliderGeometry& g, const RECT& trackRect, int thumbWidth, int thumbHeight);
void LayoutVertical(SliderGeometry& g, const RECT& trackRect, int thumbWidth, int thumbHeight);

// The position under a leading-edge coordinate. Horizontal rounds to the
// nearest position, vertical truncates. Neither clamps to positionMax; a
// one-position range (or a zero-length track) always reads positionMin.
int HorizontalPixelToPosition(const SliderGeometry& g, int x);
int VerticalPixelToPosition(const SliderGeometry& g, int y);

// p clamped into [positionMin, positionMax] (positionMin when the range is empty).
int ClampPosition(const SliderGeometry& g, int p);
// The leading-edge pixel of a position (clamped first).
int PixelOfPosition(const SliderGeometry& g, int p);

// Clamps the dragged leading edge into the track: horizontal between
// trackStart and trackEnd, vertical between the top and bottom limits.
int ClampHorizontalEdge(const SliderGeometry& g, int x);
int ClampVerticalEdge(const SliderGeometry& g, int y);

// The range of a multi-thumb slider: positions 0..b-a, offset a.
void SetValueRange(SliderGeometry& g, int a, int b);
// The position that shows value v, v clamped into [offset, valueMax].
int PositionForValue(const SliderGeometry& g, int v);

// A thumb's cap range: both ends clamped into [positionMin, positionMax].
struct CapRange {
    int capMin;
    int capMax;
};
CapRange ClampCapRange(const SliderGeometry& g, int capMin, int capMax);

// Where the tracking tooltip anchors relative to the thumb, by position code
// (0 left, 1 right, 2 top, 3 bottom).
POINT TooltipAnchor(int positionCode, int thumbWidth, int thumbHeight);
// The tooltip's top-left for an anchor in screen coordinates and its size.
POINT TooltipPlacement(int positionCode, POINT anchor, int tipWidth, int tipHeight);
