// What the X server shows, for tests that check that a window reaches the
// display as it draws itself: a grab of the server's own image of the Wine
// desktop (tests/support/xgrab.py, started as a host program), and the
// comparisons those tests make.
#pragma once
#include <windows.h>

#include <string>

#include "Capture.h"

// The desktop as the X server shows it now (Windows screen coordinates: the
// image's origin is the screen's). False when no grab could be made within
// the hang time.
bool GrabXScreen(CapturedImage& out);

// Where a window's picture and the screen disagree, counted over the
// window's rectangle: inside its shape (window region, or the whole
// rectangle) a screen pixel must be the window's own, within `tolerance` per
// channel; outside it, the pixel that `before` (a grab without the window)
// has there.
struct ScreenDiff {
    int inside = 0;          // pixels inside the shape
    int insideWrong = 0;     // ... that differ from the window's picture
    int outside = 0;         // pixels of the rectangle outside the shape
    int outsideWrong = 0;    // ... that differ from what lay beneath
    bool Matches(double share = 0.01) const
    {
        return insideWrong <= inside * share && outsideWrong <= outside * share;
    }
    std::string Describe() const;
};

// `own` is the window's picture (its rectangle's size), `shape` its shape in
// window coordinates (null: the whole rectangle), `rect` its place on the
// screen. `keyed` treats every pixel of `own` in that colour as outside the
// shape (a layered window's colour key), unless it is CLR_INVALID.
ScreenDiff CompareWithScreen(const CapturedImage& screen, const CapturedImage& before, const RECT& rect,
                             const CapturedImage& own, HRGN shape, COLORREF keyed = CLR_INVALID,
                             int tolerance = 8);

// The window's own picture with its visible children, and its shape (null
// when it has none; the caller deletes it).
bool OwnPicture(HWND hwnd, CapturedImage& out, HRGN* shape);

// A part of an image.
CapturedImage Crop(const CapturedImage& img, const RECT& rect);
