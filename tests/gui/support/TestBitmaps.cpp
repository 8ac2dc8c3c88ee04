#include "TestBitmaps.h"

HBITMAP MakeSolidBitmap(int w, int h, COLORREF fill, COLORREF frame)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bm = ::CreateCompatibleBitmap(screen, w, h);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bm);
    RECT r{0, 0, w, h};
    HBRUSH b = ::CreateSolidBrush(fill);
    ::FillRect(dc, &r, b);
    ::DeleteObject(b);
    if (frame != CLR_INVALID) {
        HBRUSH f = ::CreateSolidBrush(frame);
        ::FrameRect(dc, &r, f);
        RECT r2{1, 1, w - 1, h - 1};
        ::FrameRect(dc, &r2, f);
        ::DeleteObject(f);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bm;
}

HBITMAP MakeEllipseMask(int w, int h)
{
    HBITMAP bm = MakeSolidBitmap(w, h, RGB(255, 255, 255));
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bm);
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::Ellipse(dc, 0, 0, w, h);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
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
