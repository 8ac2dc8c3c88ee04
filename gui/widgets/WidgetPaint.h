// Small painting steps the bitmap widgets share: drawing a bitmap 1:1,
// drawing it through a mask, and the widget's font fallback.
#pragma once
#include <windows.h>

#include "Gdi.h"

SIZE BitmapSize(HBITMAP bitmap);
// Copies the whole bitmap 1:1 with its top-left corner at (x, y).
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, DWORD rop = SRCCOPY);
// The picture combined with its mask (SRCCOPY, then SRCAND) into dc at 0,0.
void DrawMaskedBitmap(HDC dc, HBITMAP picture, HBITMAP mask, int w, int h);

// WM_PAINT of a widget that draws itself with draw(HDC), as it does for
// WM_PRINTCLIENT.
template <typename Draw>
void PaintWidget(HWND window, Draw draw)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window, &ps);
    draw(dc);
    ::EndPaint(window, &ps);
}

// The 14-pixel bold "Arial" that widgets without a skin font draw with: made
// once for the process and shared, never per paint.
HFONT WidgetFallbackFont();
// The skin font when there is one, else the fallback.
inline HFONT WidgetFont(HFONT skinFont) { return skinFont ? skinFont : WidgetFallbackFont(); }

// The top-left w x h part of source as a bitmap of out's own (1:1).
bool CutBitmap(HBITMAP source, int w, int h, CBitmap& out);
// A whole bitmap copied 1:1 into out.
bool CopyWholeBitmap(HBITMAP source, CBitmap& out);
