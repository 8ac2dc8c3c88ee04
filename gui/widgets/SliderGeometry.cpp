#include "SliderGeometry.h"

#include <cmath>

namespace {

// A range of one position (or a zero-length track) has no step: every pixel
// reads the first position, and the map holds that one entry.
bool HasSteps(const SliderGeometry& g)
{
    return g.span > 0 && g.pixelsPerStep > 0.0f;
}

void Prepare(SliderGeometry& g, int trackLength, int thumbWidth, int thumbHeight)
{
    g.halfThumbWidth = thumbWidth / 2;
    g.halfThumbHeight = thumbHeight / 2;
    g.span = g.positionMax - g.positionMin;
    g.pixelsPerStep = g.span > 0 ? (float)trackLength / (float)g.span : 0.0f;
    g.pixelOfPosition.clear();
}

}  // namespace

void LayoutHorizontal(SliderGeometry& g, const RECT& trackRect, int thumbWidth, int thumbHeight)
{
    g.layoutRect = trackRect;
    ::InflateRect(&g.layoutRect, thumbWidth / 2, 0);
    g.trackEnd = g.layoutRect.right - thumbWidth;
    g.trackStart = g.layoutRect.left;
    Prepare(g, trackRect.right - trackRect.left, thumbWidth, thumbHeight);
    if (g.positionMax < g.positionMin) {
        g.pixelOfPosition[g.positionMin] = g.trackStart;
        return;
    }
    for (int p = g.positionMin; p <= g.positionMax; ++p) {
        int pixel = g.trackStart + (int)((float)p * g.pixelsPerStep);
        g.pixelOfPosition[p] = pixel > g.trackEnd ? g.trackEnd : pixel;
    }
}

void LayoutVertical(SliderGeometry& g, const RECT& trackRect, int thumbWidth, int thumbHeight)
{
    g.layoutRect = trackRect;
    ::InflateRect(&g.layoutRect, 0, thumbHeight / 2);
    g.trackEnd = g.layoutRect.top;
    g.trackStart = g.layoutRect.bottom - thumbHeight;
    Prepare(g, trackRect.bottom - trackRect.top, thumbWidth, thumbHeight);
    if (g.positionMax < g.positionMin) {
        g.pixelOfPosition[g.positionMin] = g.trackStart;
        return;
    }
    for (int p = g.positionMin; p <= g.positionMax; ++p) {
        int pixel = g.trackStart - (int)((float)p * g.pixelsPerStep);
        g.pixelOfPosition[p] = pixel < g.trackEnd ? g.trackEnd : pixel;
    }
}

int HorizontalPixelToPosition(const SliderGeometry& g, int x)
{
    if (!HasSteps(g))
        return g.positionMin;
    if (x < g.trackStart)
        x = g.trackStart;
    return (int)std::floor((float)(x - g.trackStart) / g.pixelsPerStep + 0.5f);
}

int VerticalPixelToPosition(const SliderGeometry& g, int y)
{
    if (!HasSteps(g))
        return g.positionMin;
    if (y > g.trackStart)
        y = g.trackStart;
    return (int)((float)(g.trackStart - y) / g.pixelsPerStep);
}

int ClampPosition(const SliderGeometry& g, int p)
{
    if (p > g.positionMax)
        p = g.positionMax;
    if (p < g.positionMin)
        p = g.positionMin;
    return p;
}

int PixelOfPosition(const SliderGeometry& g, int p)
{
    auto it = g.pixelOfPosition.find(ClampPosition(g, p));
    return it != g.pixelOfPosition.end() ? it->second : g.trackStart;
}

int ClampHorizontalEdge(const SliderGeometry& g, int x)
{
    if (x > g.trackEnd)
        x = g.trackEnd;
    if (x < g.trackStart)
        x = g.trackStart;
    return x;
}

int ClampVerticalEdge(const SliderGeometry& g, int y)
{
    if (y > g.trackStart)
        y = g.trackStart;
    if (y < g.trackEnd)
        y = g.trackEnd;
    return y;
}

void SetValueRange(SliderGeometry& g, int a, int b)
{
    g.positionMax = b - a;
    g.offset = a;
    g.valueMax = b;
    g.positionMin = 0;
}

int PositionForValue(const SliderGeometry& g, int v)
{
    if (v > g.valueMax)
        v = g.valueMax;
    if (v < g.offset)
        v = g.offset;
    return g.positionMin + v - g.offset;
}

CapRange ClampCapRange(const SliderGeometry& g, int capMin, int capMax)
{
    return {ClampPosition(g, capMin), ClampPosition(g, capMax)};
}

POINT TooltipAnchor(int positionCode, int thumbWidth, int thumbHeight)
{
    switch (positionCode) {
    case 1: return {thumbWidth + 2, thumbHeight / 2};
    case 2: return {thumbWidth / 2, -2};
    case 3: return {thumbWidth / 2, thumbHeight + 2};
    default: return {-2, thumbHeight / 2};
    }
}

POINT TooltipPlacement(int positionCode, POINT anchor, int tipWidth, int tipHeight)
{
    POINT p = anchor;
    switch (positionCode) {
    case 1: p.y -= tipHeight / 2; break;
    case 2: p.x -= tipWidth / 2; p.y -= tipHeight; break;
    case 3: p.x -= tipWidth / 2; break;
    default: p.x -= tipWidth; p.y -= tipHeight / 2; break;
    }
    return p;
}
