// Bitmaps the widget tests draw with: solid blocks, optionally with a frame
// of another colour, so captures show which state picture a widget chose.
#pragma once
#include <windows.h>

HBITMAP MakeSolidBitmap(int w, int h, COLORREF fill, COLORREF frame = CLR_INVALID);
// A horizontal gradient from `from` to `to`, for track pictures.
HBITMAP MakeGradientBitmap(int w, int h, COLORREF from, COLORREF to);
// A mask: black inside an ellipse, white outside.
HBITMAP MakeEllipseMask(int w, int h);
