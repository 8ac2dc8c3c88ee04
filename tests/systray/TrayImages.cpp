#include "TrayImages.h"

#include "OsdModel.h"

namespace {

CapturedImage FromDC(HDC source, int x, int y, int w, int h, const std::function<void(HDC)>& paint)
{
    CapturedImage img;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) {
        HGDIOBJ old = ::SelectObject(mem, dib);
        ::PatBlt(mem, 0, 0, w, h, WHITENESS);
        if (source)
            ::BitBlt(mem, 0, 0, w, h, source, x, y, SRCCOPY);
        if (paint)
            paint(mem);
        ::GdiFlush();
        size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
        img.width = w;
        img.height = h;
        img.rgb.resize(static_cast<size_t>(w) * h * 3);
        const BYTE* src = static_cast<const BYTE*>(bits);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                const BYTE* s = src + row * stride + col * 3;
                BYTE* d = &img.rgb[(static_cast<size_t>(row) * w + col) * 3];
                d[0] = s[2];
                d[1] = s[1];
                d[2] = s[0];
            }
        ::SelectObject(mem, old);
        ::DeleteObject(dib);
    }
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return img;
}

}  // namespace

CapturedImage PaintToImage(int w, int h, const std::function<void(HDC)>& paint)
{
    return FromDC(nullptr, 0, 0, w, h, paint);
}

CapturedImage CaptureScreen(const RECT& r)
{
    HDC screen = ::GetDC(nullptr);
    CapturedImage img = FromDC(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr);
    ::ReleaseDC(nullptr, screen);
    return img;
}

void SaveOsdCapture(HWND window, const wchar_t* name)
{
    CapturedImage img;
    if (!CaptureWindow(window, img))
        return;
    for (size_t i = 0; i + 2 < img.rgb.size(); i += 3)
        if (RGB(img.rgb[i], img.rgb[i + 1], img.rgb[i + 2]) == kOsdKeyColour)
            img.rgb[i] = img.rgb[i + 1] = img.rgb[i + 2] = 0;
    SaveImage(img, name);
}
