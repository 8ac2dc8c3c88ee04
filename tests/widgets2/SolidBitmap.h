// Bitmaps drawn by the tests themselves: a filled rectangle with an optional
// frame, so captures show where each part lies.
#pragma once
#include <windows.h>

HBITMAP MakeSolidBitmap(int width, int height, COLORREF fill, COLORREF frame = CLR_INVALID);
// A horizontal gradient from `from` to `to`, for track pictures.
HBITMAP MakeGradientBitmap(int width, int height, COLORREF from, COLORREF to);
