// What the on-screen display shows and where, as plain data: the display's
// state, the requests that change it, what a sensitivity change shows, and
// the placement of its two windows on the primary monitor.
#pragma once
#include <windows.h>

#include "String.h"

// Colours of the display; the key colour is made transparent.
const COLORREF kOsdKeyColour = RGB(0, 255, 0);
const COLORREF kOsdTextColour = RGB(0, 250, 0);
const COLORREF kOsdBarColour = RGB(0, 200, 0);
const COLORREF kOsdBarInside = RGB(0, 0, 0);
const COLORREF kOsdLabelColour = RGB(0, 50, 0);

const int kOsdBarSteps = 20;
const int kOsdTextChars = 254;     // a profile name, the rest is cut
const int kOsdBarTextChars = 4;    // a bar's number

struct OsdBar {
    int level = 0;
    wchar_t text[kOsdBarTextChars + 1] = {};
};

struct OsdState {
    wchar_t osdText[kOsdTextChars + 1] = {};
    int barMax = kOsdBarSteps;
    int barMode = 0;  // 0 none, 1 one bar, 2 two bars
    OsdBar bar1;      // the right column (Y of two)
    OsdBar bar2;      // the left column (X of two)
};

// The requests. A bar text longer than four characters shows nothing
// (false); levels are cut to barMax.
void SetOsdText(OsdState& state, const wchar_t* text);
bool SetLevelBar(OsdState& state, int level, const wchar_t* text);
bool SetTwoLevelBars(OsdState& state, int xLevel, const wchar_t* xText, int yLevel, const wchar_t* yText);

// What a sensitivity change to (x, y) shows with the sensitivity range's
// maximum: one bar when x equals y, two otherwise, each at x * steps / max;
// nothing (bars 0) for a maximum of 0 or a number of five digits or more.
struct DpiOsdPlan {
    int bars = 0;
    int xLevel = 0, yLevel = 0;
    CString xText, yText;
};
DpiOsdPlan PlanDpiOsd(unsigned x, unsigned y, unsigned rangeMax, int steps = kOsdBarSteps);

// The two windows' places; scale is the screen's pixels per inch / 72.
struct OsdLayout {
    int textHeight = 0;
    int numberHeight = 0;
    int panelHeight = 0;
    RECT textWindow{};  // screen coordinates
    RECT barWindow{};
    RECT leftColumn{};  // client coordinates of the bar window
    RECT rightColumn{};
};
OsdLayout ComputeOsdLayout(const RECT& monitor, float scale);
