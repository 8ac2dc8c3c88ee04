// Vertical scrolling of the macro display's list, without a window. The list
// scrolls in whole rows: its range is nMin..nMax rows with nPage whole rows in
// view, so the top row goes from nMin up to nMax - nPage + 1, where the last
// row is in view.
#pragma once
#include <windows.h>

#include "ScrollBarLayout.h"  // LastTopRow: the highest top row the list can scroll to

// True when the last row is already in view: a line down shows nothing new.
bool AtLastPage(const SCROLLINFO& si);

// The pixels to scroll the list by so that the thumb's position `wanted`
// becomes the top row, at rowHeight pixels a row. The position is kept
// within nMin..LastTopRow, and the result within half the int range (the
// list rounds the pixels to rows by adding half a row).
int ThumbScrollPixels(const SCROLLINFO& si, int wanted, int rowHeight);
