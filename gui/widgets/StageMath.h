// The arithmetic of the stage slider, the marker gauge and the fill bar:
// stage spreading, cap ranges, grey segment colours, segment boundaries and
// click-to-value rules. Every division is guarded against zero ranges and
// zero-width rectangles: those read as the range's minimum.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct StageCap {
    int capMin;
    int capMax;
    bool operator==(const StageCap& o) const { return capMin == o.capMin && capMax == o.capMax; }
};

// The values that n thumbs spread evenly over [rangeMin, rangeMax] take:
// rangeMin + (i + 1) * ((rangeMax - rangeMin) / (n + 1)).
std::vector<int> DefaultStageTargets(int rangeMin, int rangeMax, int thumbCount);

// Every thumb may use the whole range.
std::vector<StageCap> FullCapRanges(int rangeMin, int rangeMax, int thumbCount);
// Each thumb is held between its neighbours (values = offset + position of
// each thumb, in order): the first [rangeMin, v1], the last [v(n-2), rangeMax],
// a middle one [v(i-1) + 2, v(i+1)].
std::vector<StageCap> NeighbourCapRanges(const std::vector<int>& values, int rangeMin, int rangeMax);

// Grey segment colours, one per segment (thumbCount + 1): level 0 first,
// growing by (n + 1) * 255 / (rangeMax - rangeMin) as an 8-bit quantity.
std::vector<COLORREF> GreyStageColours(int thumbCount, int rangeMin, int rangeMax);

// The x where the segment after a thumb of `value` starts.
int StageBoundaryX(int value, int rangeMin, int rangeMax, int trackWidth, int halfThumbWidth, int left);

// The stage slider's click: the value under x over [left, right), then the
// first thumb whose value exceeds it (the thumb count when none does).
int StageValueAt(int x, int left, int right, int rangeMin, int rangeMax);
int StageIndexForValue(const std::vector<int>& values, int v);

// The marker gauge: the value under x (raised to at least left) clamped
// into [minimum, maximum], and how much of the marker bitmap shows.
int MarkerValueAt(int x, int left, int right, int minimum, int maximum);
int MarkerRevealWidth(int rectWidth, int value, int minimum, int maximum);

// The progress fill bar: percentages above 100 show as 100, and the filled
// end for a percentage.
unsigned ClampPercent(unsigned percent);
int FillEndForPercent(int start, float pixelsPerPercent, unsigned percent);
// The back-and-forth animation: the next step after showing `percent`.
int NextAnimationStep(int percent, int step);

// The stage slider's trace lines, in the forms its painting writes them.
std::wstring StageColourTrace(int index, COLORREF colour);
std::wstring StagePosTrace(int index, int value);
std::wstring StageSegmentTrace(int left, int right, COLORREF colour);
