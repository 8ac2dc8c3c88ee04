#include "SolidBitmap.h"

HBITMAP MakeSolidBitmap(int width, int height, COLORREF fill, COLORREF frame)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bm = ::CreateCompatibleBitmap(screen, width, height);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, bm);
    RECT r{0, 0, width, height};
    HBRUSH b = ::CreateSolidBrush(fill);
    ::FillRect(mem, &r, b);
    ::DeleteObject(b);
    if (frame != CLR_INVALID) {
        HBRUSH f = ::CreateSolidBrush(frame);
        ::FrameRect(mem, &r, f);
        ::DeleteObject(f);
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return bm;
}

HBITMAP MakeGradientBitmap(int width, int height, COLORREF from, COLORREF to)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bm = ::CreateCompatibleBitmap(screen, width, height);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, bm);
    for (int x = 0; x < width; ++x) {
        int t = width > 1 ? x * 255 / (width - 1) : 0;
        COLORREF c = RGB((GetRValue(from) * (255 - t) + GetRValue(to) * t) / 255,
                         (GetGValue(from) * (255 - t) + GetGValue(to) * t) / 255,
                         (GetBValue(from) * (255 - t) + GetBValue(to) * t) / 255);
        RECT col{x, 0, x + 1, height};
        HBRUSH b = ::CreateSolidBrush(c);
        ::FillRect(mem, &col, b);
        ::DeleteObject(b);
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return bm;
}
