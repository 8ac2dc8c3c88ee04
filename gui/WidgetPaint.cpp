#include "WidgetPaint.h"

#include <vector>

#include "FallbackFont.h"

SIZE BitmapSize(HBITMAP b)
{
    BITMAP bm{};
    if (!b || !::GetObjectW(b, sizeof(bm), &bm)) return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

void DrawBitmap(HDC dc, HBITMAP b, int x, int y, DWORD rop)
{
    if (!b) return;
    const SIZE s = BitmapSize(b);
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(mem, b);
    ::BitBlt(dc, x, y, s.cx, s.cy, mem, 0, 0, rop);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}

void DrawMaskedBitmap(HDC dc, HBITMAP picture, HBITMAP mask, int w, int h)
{
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(mem, picture);
    ::BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    if (mask) {
        ::SelectObject(mem, mask);
        ::BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCAND);
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}

HFONT WidgetFallbackFont()
{
    // Deliberately never freed: one font object for the life of the process
    // instead of one per paint.
    static CFont* font = [] {
        auto* f = new CFont;
        CreateBoldArialFont(14, *f);
        return f;
    }();
    return (HFONT)*font;
}

bool CutBitmap(HBITMAP source, int w, int h, CBitmap& out)
{
    out.DeleteObject();
    if (!source || w <= 0 || h <= 0) return false;
    HDC screen = ::GetDC(nullptr);
    HDC src = ::CreateCompatibleDC(screen);
    HDC dst = ::CreateCompatibleDC(screen);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldSrc = ::SelectObject(src, source);
    HGDIOBJ oldDst = ::SelectObject(dst, copy);
    ::BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
    ::SelectObject(src, oldSrc);
    ::SelectObject(dst, oldDst);
    ::DeleteDC(src);
    ::DeleteDC(dst);
    ::ReleaseDC(nullptr, screen);
    return out.Attach(copy);
}

HRGN RegionFromMask(HBITMAP mask)
{
    const SIZE s = BitmapSize(mask);
    if (s.cx <= 0 || s.cy <= 0) return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = s.cx;
    bi.bmiHeader.biHeight = -s.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> px((size_t)s.cx * s.cy);
    HDC dc = ::GetDC(nullptr);
    const int rows = ::GetDIBits(dc, mask, 0, (UINT)s.cy, px.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    if (rows != s.cy) return nullptr;
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < s.cy; ++y) {
        int x = 0;
        while (x < s.cx) {
            while (x < s.cx && (px[(size_t)y * s.cx + x] & 0xFFFFFF) == 0xFFFFFF) ++x;
            const int start = x;
            while (x < s.cx && (px[(size_t)y * s.cx + x] & 0xFFFFFF) != 0xFFFFFF) ++x;
            if (x > start) {
                HRGN run = ::CreateRectRgn(start, y, x, y + 1);
                ::CombineRgn(region, region, run, RGN_OR);
                ::DeleteObject(run);
            }
        }
    }
    return region;
}
