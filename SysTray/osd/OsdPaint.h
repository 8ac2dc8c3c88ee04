// Painting of the on-screen display's two windows into any device context,
// so that a memory DC shows exactly what the windows show. The fonts belong
// to the caller; the DC is left as it was given.
#pragma once
#include <windows.h>

#include "OsdModel.h"

// The text window: the key colour, and the text (when any) right-aligned at
// the bottom of the client area.
void PaintOsdText(HDC dc, const RECT& client, const wchar_t* text, HFONT font);

// The bar window: the key colour, then one bar in the right column, or two
// bars labelled X (left) and Y (right), or nothing, as the state's mode says.
void PaintOsdBars(HDC dc, const RECT& client, const OsdState& state, const OsdLayout& layout, HFONT numberFont,
                  HFONT labelFont);

// One bar in its column: a 2-pixel frame, `level` cells of 10 pixels with
// 2-pixel gaps stacked up from the bottom, and the number on top.
void PaintOsdBar(HDC dc, const RECT& column, int level, const wchar_t* text, int numberHeight, HFONT numberFont);
