// Vertical scrolling of a skinned list view in whole rows, shared by the
// lists that draw their own scroll bar (the multi-column list, the macro
// display). The arithmetic is in MacroDisplayScroll.h.
#pragma once
#include "CommonControls.h"

// The height the list really draws a row at (the first row's bounds), or
// fallback while the list is empty.
int ListViewRowHeight(CListCtrl& list, int fallback);

// The list's own part of a WM_VSCROLL before its default handling: a line
// down with the last row in view is dropped (false: skip the default), and a
// thumb position scrolls by whole rows of the drawn height.
bool PrepareListVScroll(CListCtrl& list, UINT code, UINT pos, int fallbackRowHeight);
