#include "WidgetPaint.h"

#include "BitmapTools.h"
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
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CSelectGuard selected(mem, b);
    ::BitBlt(dc, x, y, s.cx, s.cy, mem, 0, 0, rop);
}

void DrawMaskedBitmap(HDC dc, HBITMAP picture, HBITMAP mask, int w, int h)
{
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CSelectGuard selected(mem, picture);
    ::BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    if (mask) {
        ::SelectObject(mem, mask);  // the guard puts the first one back
        ::BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCAND);
    }
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
    return CopyBitmapRect(source, 0, 0, w, h, out);
}

bool CopyWholeBitmap(HBITMAP source, CBitmap& out)
{
    const SIZE s = BitmapSize(source);
    return CopyBitmapRect(source, 0, 0, s.cx, s.cy, out);
}
