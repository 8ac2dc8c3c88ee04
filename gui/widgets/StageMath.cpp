#include "StageMath.h"

#include <cwchar>

namespace {

int Clamp(int v, int lo, int hi)
{
    if (v > hi)
        v = hi;
    if (v < lo)
        v = lo;
    return v;
}

}  // namespace

std::vector<int> DefaultStageTargets(int rangeMin, int rangeMax, int thumbCount)
{
    std::vector<int> out;
    if (thumbCount <= 0)
        return out;
    int step = (rangeMax - rangeMin) / (thumbCount + 1);
    for (int i = 0; i < thumbCount; ++i)
        out.push_back(rangeMin + (i + 1) * step);
    return out;
}

std::vector<StageCap> FullCapRanges(int rangeMin, int rangeMax, int thumbCount)
{
    return std::vector<StageCap>(thumbCount > 0 ? thumbCount : 0, StageCap{rangeMin, rangeMax});
}

std::vector<StageCap> NeighbourCapRanges(const std::vector<int>& values, int rangeMin, int rangeMax)
{
    std::vector<StageCap> out;
    size_t n = values.size();
    if (n == 0)
        return out;
    if (n == 1) {
        out.push_back({rangeMin, rangeMax});
        return out;
    }
    for (size_t i = 0; i < n; ++i) {
        if (i == 0)
            out.push_back({rangeMin, values[1]});
        else if (i == n - 1)
            out.push_back({values[i - 1], rangeMax});
        else
            out.push_back({values[i - 1] + 2, values[i + 1]});
    }
    return out;
}

std::vector<COLORREF> GreyStageColours(int thumbCount, int rangeMin, int rangeMax)
{
    int n = thumbCount > 0 ? thumbCount : 0;
    int range = rangeMax - rangeMin;
    int step = range != 0 ? (n + 1) * 255 / range : 0;
    std::vector<COLORREF> out;
    unsigned char level = 0;
    for (int i = 0; i <= n; ++i) {
        out.push_back((COLORREF)level * 0x010101u);
        level = (unsigned char)(level + step);
    }
    return out;
}

int StageBoundaryX(int value, int rangeMin, int rangeMax, int trackWidth, int halfThumbWidth, int left)
{
    int range = rangeMax - rangeMin;
    if (range == 0)
        return halfThumbWidth + left;
    return ((value - rangeMin) * trackWidth + range / 2) / range + halfThumbWidth + left;
}

int StageValueAt(int x, int left, int right, int rangeMin, int rangeMax)
{
    if (right == left)
        return rangeMin;
    return rangeMin + (rangeMax - rangeMin) * (x - left) / (right - left);
}

int StageIndexForValue(const std::vector<int>& values, int v)
{
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] > v)
            return (int)i;
    return (int)values.size();
}

int MarkerValueAt(int x, int left, int right, int minimum, int maximum)
{
    if (x < left)
        x = left;
    if (right <= left || maximum <= minimum)
        return minimum;
    int v = minimum + (maximum - minimum) * (x - left) / (right - left);
    return Clamp(v, minimum, maximum);
}

int MarkerRevealWidth(int rectWidth, int value, int minimum, int maximum)
{
    if (maximum <= minimum || rectWidth <= 0)
        return 0;
    return rectWidth * (Clamp(value, minimum, maximum) - minimum) / (maximum - minimum);
}

unsigned ClampPercent(unsigned percent)
{
    return percent > 100 ? 100 : percent;
}

int FillEndForPercent(int start, float pixelsPerPercent, unsigned percent)
{
    return (int)((float)start + pixelsPerPercent * (float)ClampPercent(percent));
}

int NextAnimationStep(int percent, int step)
{
    return (percent == 0 || percent > 99) ? -step : step;
}

std::wstring StageColourTrace(int index, COLORREF colour)
{
    wchar_t buf[96];
    _snwprintf(buf, 96, L"CAPMSlider::OnPaint Color(%d): 0x%x\n", index, (unsigned)colour);
    buf[95] = 0;
    return buf;
}

std::wstring StagePosTrace(int index, int value)
{
    // "0x%d" is the established form of this line; whoever reads the
    // debugger output expects it as it stands.
    wchar_t buf[96];
    _snwprintf(buf, 96, L"CAPMSlider::OnPaint Pos(%d): 0x%d\n", index, value);
    buf[95] = 0;
    return buf;
}

std::wstring StageSegmentTrace(int left, int right, COLORREF colour)
{
    wchar_t buf[128];
    _snwprintf(buf, 128, L"CAPMSlider::OnPaint CurrentRect(%d, %d): color(0x%x)\n", left, right, (unsigned)colour);
    buf[127] = 0;
    return buf;
}
